#include "ZelSettingsStore.h"

#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelHelpers.h"
#include "ZelResStrings.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const HiveHeader = "Windows Registry Editor Version 5.00";

std::string Lower(std::string_view s) {
    return ZelAsciiLowerCase(s);
}

std::vector<std::string> SplitKeyPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\') {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

enum class TValueType { String, Dword, Binary };

struct TValue {
    std::string Name;
    TValueType Type = TValueType::String;
    std::string Text;
    uint32_t Dword = 0;
    std::vector<uint8_t> Bytes;
    std::vector<std::string> Comments; // the comment lines written above the value
};

struct TKeyNode {
    std::string Name;
    std::map<std::string, std::unique_ptr<TKeyNode>> Children; // by lower-case name
    std::vector<TValue> Values;                                // in the order written
    // The comment lines written above the key's line; the root keeps those after the last
    // key.
    std::vector<std::string> Comments;

    TKeyNode* Child(const std::string& name) const {
        auto it = Children.find(Lower(name));
        return it == Children.end() ? nullptr : it->second.get();
    }
    TKeyNode& AddChild(const std::string& name) {
        auto& slot = Children[Lower(name)];
        if (!slot) {
            slot = std::make_unique<TKeyNode>();
            slot->Name = name;
        }
        return *slot;
    }
    const TValue* Value(const std::string& name) const {
        for (const auto& v : Values)
            if (ZelSameTextAscii(v.Name, name))
                return &v;
        return nullptr;
    }
    TValue& SetValue(const std::string& name) {
        for (auto& v : Values)
            if (ZelSameTextAscii(v.Name, name))
                return v;
        Values.push_back(TValue{});
        Values.back().Name = name;
        return Values.back();
    }
    bool RemoveValue(const std::string& name) {
        auto it = std::find_if(Values.begin(), Values.end(),
                               [&](const TValue& v) { return ZelSameTextAscii(v.Name, name); });
        if (it == Values.end())
            return false;
        Values.erase(it);
        return true;
    }
};

// ---------------------------------------------------------------------------------------
// The text form

class THiveParser {
public:
    THiveParser(const std::string& fileName, const std::string& text, TKeyNode& root)
        : FileName(fileName), Text(text), Root(root) {}

    void Parse() {
        size_t pos = 0;
        if (Text.compare(0, 3, "\xEF\xBB\xBF") == 0)
            pos = 3;
        while (pos <= Text.size()) {
            size_t end = Text.find('\n', pos);
            if (end == std::string::npos)
                end = Text.size();
            ++LineNo;
            int firstLine = LineNo;
            std::string line = Trim(Text.substr(pos, end - pos));
            pos = end + 1;
            // A hex value may go on over several lines, each but the last ending in "\".
            while (!line.empty() && line.back() == '\\' && IsHexValueLine(line) &&
                   pos <= Text.size()) {
                end = Text.find('\n', pos);
                if (end == std::string::npos)
                    end = Text.size();
                ++LineNo;
                line.pop_back();
                line += Trim(Text.substr(pos, end - pos));
                pos = end + 1;
            }
            ParseLine(line, firstLine);
        }
        // Comments after the last key stay at the end of the file.
        Root.Comments = std::move(PendingComments);
    }

private:
    static std::string Trim(std::string_view s) {
        size_t b = 0, e = s.size();
        while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
            ++b;
        while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
            --e;
        return std::string(s.substr(b, e - b));
    }

    // A value line of binary data (never a comment, whatever it holds).
    static bool IsHexValueLine(const std::string& line) {
        return !line.empty() && line[0] != ';' && line.find("=hex:") != std::string::npos;
    }

    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw EZelSettingsError(
            ZelFormat(ZelLoadStr(TZelResId::HiveBadLine), {FileName, line, what}));
    }

    void ParseLine(const std::string& line, int lineNo) {
        if (line.empty())
            return;
        if (line[0] == ';') {
            // A comment belongs to the key or value below it and moves with it.
            PendingComments.push_back(line);
            return;
        }
        if (lineNo == 1 && (line == HiveHeader || line == "REGEDIT4"))
            return;
        if (line[0] == '[') {
            if (line.back() != ']')
                Fail(lineNo, ZelLoadStr(TZelResId::HiveKeyLineEnd));
            std::string path = line.substr(1, line.size() - 2);
            bool remove = !path.empty() && path[0] == '-';
            std::vector<std::string> parts = SplitKeyPath(remove ? path.substr(1) : path);
            if (parts.empty())
                Fail(lineNo, ZelLoadStr(TZelResId::HiveEmptyKeyName));
            if (remove) {
                RemoveKey(parts);
                Current = nullptr;
                return;
            }
            Current = &Root;
            for (const auto& p : parts)
                Current = &Current->AddChild(p);
            AppendComments(Current->Comments);
            return;
        }
        if (line[0] != '@' && line[0] != '"')
            Fail(lineNo, ZelLoadStr(TZelResId::HiveExpectedKeyOrValue));
        if (!Current)
            Fail(lineNo, ZelLoadStr(TZelResId::HiveValueOutsideKey));
        size_t i = 0;
        std::string name;
        if (line[0] == '@') {
            i = 1;
        } else {
            name = ReadQuoted(line, i, lineNo);
        }
        if (i >= line.size() || line[i] != '=')
            Fail(lineNo, ZelLoadStr(TZelResId::HiveExpectedEquals));
        ++i;
        std::string data = line.substr(i);
        if (data == "-") {
            Current->RemoveValue(name);
            return;
        }
        TValue value;
        value.Name = name;
        if (!data.empty() && data[0] == '"') {
            size_t j = 0;
            value.Type = TValueType::String;
            value.Text = ReadQuoted(data, j, lineNo);
            if (j != data.size())
                Fail(lineNo, ZelLoadStr(TZelResId::HiveTextAfterString));
        } else if (data.compare(0, 6, "dword:") == 0) {
            value.Type = TValueType::Dword;
            value.Dword = ParseDword(data.substr(6), lineNo);
        } else if (data.compare(0, 4, "hex:") == 0) {
            value.Type = TValueType::Binary;
            value.Bytes = ParseHex(data.substr(4), lineNo);
        } else {
            Fail(lineNo, ZelLoadStr(TZelResId::HiveUnknownValueType));
        }
        TValue& slot = Current->SetValue(name);
        value.Comments = std::move(slot.Comments);
        AppendComments(value.Comments);
        slot = std::move(value);
    }

    void AppendComments(std::vector<std::string>& to) {
        to.insert(to.end(), PendingComments.begin(), PendingComments.end());
        PendingComments.clear();
    }

    std::string ReadQuoted(const std::string& s, size_t& i, int lineNo) const {
        if (i >= s.size() || s[i] != '"')
            Fail(lineNo, ZelLoadStr(TZelResId::HiveExpectedQuotedName));
        std::string out;
        for (++i; i < s.size(); ++i) {
            char c = s[i];
            if (c == '"') {
                ++i;
                return out;
            }
            if (c == '\\') {
                if (++i >= s.size())
                    break;
                switch (s[i]) {
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case '\\':
                case '"':
                    out += s[i];
                    break;
                default:
                    Fail(lineNo, ZelLoadStr(TZelResId::HiveUnknownEscape));
                }
                continue;
            }
            out += c;
        }
        Fail(lineNo, ZelLoadStr(TZelResId::HiveUnterminatedString));
    }

    uint32_t ParseDword(const std::string& s, int lineNo) const {
        if (s.empty() || s.size() > 8)
            Fail(lineNo, ZelLoadStr(TZelResId::HiveBadDword));
        uint32_t v = 0;
        for (char c : s) {
            int d = ZelHexDigitValue(c);
            if (d < 0)
                Fail(lineNo, ZelLoadStr(TZelResId::HiveBadDword));
            v = v * 16 + uint32_t(d);
        }
        return v;
    }

    std::vector<uint8_t> ParseHex(const std::string& s, int lineNo) const {
        std::vector<uint8_t> bytes;
        std::string item;
        auto flush = [&]() {
            std::string t = Trim(item);
            item.clear();
            if (t.empty())
                return false;
            if (t.size() > 2 || ZelHexDigitValue(t[0]) < 0 ||
                (t.size() == 2 && ZelHexDigitValue(t[1]) < 0))
                Fail(lineNo, ZelFormat(ZelLoadStr(TZelResId::HiveBadByte), {t}));
            bytes.push_back(uint8_t(t.size() == 1
                                        ? ZelHexDigitValue(t[0])
                                        : ZelHexDigitValue(t[0]) * 16 + ZelHexDigitValue(t[1])));
            return true;
        };
        for (char c : s) {
            if (c == ',') {
                if (!flush())
                    Fail(lineNo, ZelLoadStr(TZelResId::HiveEmptyByte));
            } else {
                item += c;
            }
        }
        if (!flush() && !bytes.empty())
            Fail(lineNo, ZelLoadStr(TZelResId::HiveTrailingComma));
        return bytes;
    }

    void RemoveKey(const std::vector<std::string>& parts) {
        TKeyNode* node = &Root;
        for (size_t i = 0; i + 1 < parts.size(); ++i)
            if (!(node = node->Child(parts[i])))
                return;
        node->Children.erase(Lower(parts.back()));
    }

    const std::string& FileName;
    const std::string& Text;
    TKeyNode& Root;
    TKeyNode* Current = nullptr;
    int LineNo = 0;
    std::vector<std::string> PendingComments;
};

std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

void WriteComments(std::string& out, const std::vector<std::string>& comments) {
    for (const std::string& comment : comments)
        out += comment + "\n";
}

void WriteValue(std::string& out, const TValue& v) {
    WriteComments(out, v.Comments);
    std::string line = v.Name.empty() ? "@=" : Quote(v.Name) + "=";
    char buf[16];
    switch (v.Type) {
    case TValueType::String:
        line += Quote(v.Text);
        break;
    case TValueType::Dword:
        std::snprintf(buf, sizeof buf, "dword:%08x", v.Dword);
        line += buf;
        break;
    case TValueType::Binary:
        line += "hex:";
        for (size_t i = 0; i < v.Bytes.size(); ++i) {
            std::snprintf(buf, sizeof buf, "%02x", v.Bytes[i]);
            line += buf;
            if (i + 1 < v.Bytes.size()) {
                line += ',';
                if (line.size() > 76) {
                    out += line + "\\\n";
                    line = "  ";
                }
            }
        }
        break;
    }
    out += line + "\n";
}

void WriteKey(std::string& out, const TKeyNode& node, const std::string& path) {
    WriteComments(out, node.Comments);
    out += "[" + path + "]\n";
    for (const auto& v : node.Values)
        if (v.Name.empty())
            WriteValue(out, v);
    for (const auto& v : node.Values)
        if (!v.Name.empty())
            WriteValue(out, v);
    out += "\n";
    for (const auto& [lower, child] : node.Children)
        WriteKey(out, *child, path + "\\" + child->Name);
}

std::string Serialize(const TKeyNode& root) {
    std::string out = std::string(HiveHeader) + "\n\n";
    // A first name that begins with "-" would read as a deletion: a leading "\" keeps it a
    // key.
    for (const auto& [lower, child] : root.Children)
        WriteKey(out, *child, (child->Name[0] == '-' ? "\\" : "") + child->Name);
    WriteComments(out, root.Comments);
    return out;
}

} // namespace

// ---------------------------------------------------------------------------------------
// One hive file, cached and re-read when it changes on disk.

class TZelHiveFile {
public:
    explicit TZelHiveFile(std::string path) : Path(std::move(path)) {}

    const std::string& GetPath() const { return Path; }

    template <class F> auto Read(F&& f) {
        std::lock_guard<std::mutex> guard(Mutex);
        Refresh();
        return f(static_cast<const TKeyNode&>(Root));
    }

    // Applies a change under the hive lock to the hive as it is on disk, and writes it back.
    template <class F> auto Modify(F&& f) {
        std::lock_guard<std::mutex> guard(Mutex);
        TZelFileLock lock(Path);
        Loaded = false;
        Refresh();
        // A change that fails half way leaves the tree in memory half changed: it is read
        // from the file again.
        struct TForgetOnFailure {
            bool& Loaded;
            int Exceptions = std::uncaught_exceptions();
            ~TForgetOnFailure() {
                if (std::uncaught_exceptions() > Exceptions)
                    Loaded = false;
            }
        } forget{Loaded};
        auto result = f(Root);
        std::string text = Serialize(Root);
        try {
            ZelWriteFileAtomic(Path, text);
        } catch (const EZelError& e) {
            Loaded = false;
            throw EZelSettingsError(e.what());
        }
        Stamp = ZelFileStamp(Path);
        return result;
    }

private:
    void Refresh() {
        TZelFileStamp now = ZelFileStamp(Path);
        if (Loaded && now == Stamp) {
            if (!Error.empty())
                throw EZelSettingsError(Error);
            return;
        }
        Root = TKeyNode{};
        Error.clear();
        Stamp = now;
        Loaded = true;
        if (!now.Exists)
            return;
        std::string text;
        try {
            text = ZelReadWholeFile(Path);
        } catch (const EZelError& e) {
            Error = e.what();
            throw EZelSettingsError(Error);
        }
        try {
            THiveParser(Path, text, Root).Parse();
        } catch (const EZelSettingsError& e) {
            Root = TKeyNode{};
            Error = e.what();
            throw;
        }
    }

    std::string Path;
    std::mutex Mutex;
    TKeyNode Root;
    TZelFileStamp Stamp;
    bool Loaded = false;
    std::string Error;
};

namespace {

const TKeyNode* FindNode(const TKeyNode& root, const std::vector<std::string>& parts) {
    const TKeyNode* node = &root;
    for (const auto& p : parts)
        if (!(node = node->Child(p)))
            return nullptr;
    return node;
}

TKeyNode& MakeNode(TKeyNode& root, const std::vector<std::string>& parts) {
    for (const auto& p : parts)
        for (char c : p)
            if (uint8_t(c) < 0x20)
                throw EZelSettingsError(ZelLoadStr(TZelResId::KeyNameControlCharacters));
    TKeyNode* node = &root;
    for (const auto& p : parts)
        node = &node->AddChild(p);
    return *node;
}

class THiveKey : public TZelSettingsKey {
public:
    THiveKey(std::shared_ptr<TZelHiveFile> hive, std::vector<std::string> parts)
        : Hive(std::move(hive)), Parts(std::move(parts)) {}

    std::optional<int32_t> ReadInteger(const std::string& name) override {
        return Hive->Read([&](const TKeyNode& root) -> std::optional<int32_t> {
            const TValue* v = FindValue(root, name);
            if (!v || v->Type != TValueType::Dword)
                return std::nullopt;
            return int32_t(v->Dword);
        });
    }
    std::optional<std::string> ReadString(const std::string& name) override {
        return Hive->Read([&](const TKeyNode& root) -> std::optional<std::string> {
            const TValue* v = FindValue(root, name);
            if (!v || v->Type != TValueType::String)
                return std::nullopt;
            return v->Text;
        });
    }
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) override {
        return Hive->Read([&](const TKeyNode& root) -> std::optional<std::vector<uint8_t>> {
            const TValue* v = FindValue(root, name);
            if (!v || v->Type != TValueType::Binary)
                return std::nullopt;
            return v->Bytes;
        });
    }
    void WriteInteger(const std::string& name, int32_t value) override {
        Write(name, [&](TValue& v) {
            v.Type = TValueType::Dword;
            v.Dword = uint32_t(value);
        });
    }
    void WriteString(const std::string& name, const std::string& value) override {
        Write(name, [&](TValue& v) {
            v.Type = TValueType::String;
            v.Text = value;
        });
    }
    void WriteBinary(const std::string& name, const std::vector<uint8_t>& value) override {
        Write(name, [&](TValue& v) {
            v.Type = TValueType::Binary;
            v.Bytes = value;
        });
    }
    std::vector<std::string> GetSubKeyNames() override {
        return Hive->Read([&](const TKeyNode& root) {
            std::vector<std::string> names;
            if (const TKeyNode* node = FindNode(root, Parts))
                for (const auto& [lower, child] : node->Children)
                    names.push_back(child->Name);
            return names;
        });
    }
    std::vector<std::string> GetValueNames() override {
        return Hive->Read([&](const TKeyNode& root) {
            std::vector<std::string> names;
            if (const TKeyNode* node = FindNode(root, Parts))
                for (const auto& v : node->Values)
                    names.push_back(v.Name);
            return names;
        });
    }
    bool DeleteValue(const std::string& name) override {
        return Hive->Modify(
            [&](TKeyNode& root) { return MakeNode(root, Parts).RemoveValue(name); });
    }

private:
    const TValue* FindValue(const TKeyNode& root, const std::string& name) const {
        const TKeyNode* node = FindNode(root, Parts);
        return node ? node->Value(name) : nullptr;
    }
    template <class F> void Write(const std::string& name, F&& set) {
        Hive->Modify([&](TKeyNode& root) {
            TValue& v = MakeNode(root, Parts).SetValue(name);
            v = TValue{};
            v.Name = name;
            set(v);
            return 0;
        });
    }

    std::shared_ptr<TZelHiveFile> Hive;
    std::vector<std::string> Parts;
};

std::string DefaultHivePath(TZelHive hive) {
    if (hive == TZelHive::CurrentUser) {
        if (const char* env = std::getenv("ZEL_USER_HIVE"); env && *env)
            return env;
        return ZelUserConfigFolder() + "/Zel/user.reg";
    }
    if (const char* env = std::getenv("ZEL_MACHINE_HIVE"); env && *env)
        return env;
    return ZelExecutableFolder() + "/../etc/Zel/machine.reg";
}

} // namespace

TZelSettingsStore& TZelSettingsStore::Instance() {
    static TZelSettingsStore store;
    return store;
}

TZelSettingsStore& ZelSettings() {
    return TZelSettingsStore::Instance();
}

std::optional<int32_t> ZelReadIntegerOrNone(TZelSettingsKey& key, const std::string& name) {
    try {
        return key.ReadInteger(name);
    } catch (const EZelError&) {
        return std::nullopt;
    }
}

TZelHiveFile& TZelSettingsStore::Hive(TZelHive hive) {
    auto& slot = Hives[hive == TZelHive::CurrentUser ? 0 : 1];
    if (!slot)
        slot = std::make_shared<TZelHiveFile>(DefaultHivePath(hive));
    return *slot;
}

std::string TZelSettingsStore::GetHivePath(TZelHive hive) {
    return Hive(hive).GetPath();
}

void TZelSettingsStore::Reset() {
    Hives[0].reset();
    Hives[1].reset();
}

std::unique_ptr<TZelSettingsKey> TZelSettingsStore::OpenKey(TZelHive hive, const std::string& path,
                                                            bool create) {
    Hive(hive);
    auto file = Hives[hive == TZelHive::CurrentUser ? 0 : 1];
    std::vector<std::string> parts = SplitKeyPath(path);
    if (create)
        file->Modify([&](TKeyNode& root) {
            MakeNode(root, parts);
            return 0;
        });
    else if (!KeyExists(hive, path))
        return nullptr;
    return std::make_unique<THiveKey>(file, parts);
}

bool TZelSettingsStore::KeyExists(TZelHive hive, const std::string& path) {
    std::vector<std::string> parts = SplitKeyPath(path);
    return Hive(hive).Read([&](const TKeyNode& root) { return FindNode(root, parts) != nullptr; });
}

bool TZelSettingsStore::DeleteKey(TZelHive hive, const std::string& path) {
    std::vector<std::string> parts = SplitKeyPath(path);
    if (parts.empty() || !KeyExists(hive, path))
        return false;
    return Hive(hive).Modify([&](TKeyNode& root) {
        TKeyNode* parent = &root;
        for (size_t i = 0; i + 1 < parts.size(); ++i)
            if (!(parent = parent->Child(parts[i])))
                return false;
        return parent->Children.erase(Lower(parts.back())) > 0;
    });
}

namespace {

class TBatch : public TZelSettingsBatch {
public:
    explicit TBatch(TKeyNode& root) : Root(root) {}

    bool KeyExists(const std::string& path) override {
        return FindNode(Root, SplitKeyPath(path)) != nullptr;
    }
    void CreateKey(const std::string& path) override { MakeNode(Root, SplitKeyPath(path)); }
    bool DeleteKey(const std::string& path) override {
        std::vector<std::string> parts = SplitKeyPath(path);
        if (parts.empty())
            return false;
        TKeyNode* parent = &Root;
        for (size_t i = 0; i + 1 < parts.size(); ++i)
            if (!(parent = parent->Child(parts[i])))
                return false;
        return parent->Children.erase(Lower(parts.back())) > 0;
    }
    void WriteString(const std::string& path, const std::string& name,
                     const std::string& value) override {
        TValue& v = Slot(path, name);
        v.Type = TValueType::String;
        v.Text = value;
    }
    void WriteInteger(const std::string& path, const std::string& name, int32_t value) override {
        TValue& v = Slot(path, name);
        v.Type = TValueType::Dword;
        v.Dword = uint32_t(value);
    }

private:
    TValue& Slot(const std::string& path, const std::string& name) {
        TValue& v = MakeNode(Root, SplitKeyPath(path)).SetValue(name);
        std::vector<std::string> comments = std::move(v.Comments);
        v = TValue{};
        v.Name = name;
        v.Comments = std::move(comments);
        return v;
    }

    TKeyNode& Root;
};

} // namespace

void TZelSettingsStore::Change(TZelHive hive,
                               const std::function<void(TZelSettingsBatch&)>& change) {
    Hive(hive).Modify([&](TKeyNode& root) {
        TBatch batch(root);
        change(batch);
        return 0;
    });
}

std::string ZelNormalizeHiveText(const std::string& text) {
    TKeyNode root;
    THiveParser("hive", text, root).Parse();
    return Serialize(root);
}

std::string ZelExecutableFolder() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    std::string path(buf, size_t(n));
    return ZelExtractFileDir(path);
}
