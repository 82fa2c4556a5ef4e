#include "ZelIniFile.h"

#include "ZelHelpers.h"

#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelUtils.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

bool IsBlankOrControl(char c) {
    return c != 0 && uint8_t(c) <= ' ';
}

} // namespace

TZelIniFile::TZelIniFile(const std::string& text) {
    size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    TSection* current = nullptr;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[' && line.back() == ']') {
            std::string name = Trim(line.substr(1, line.size() - 2));
            auto it = std::find_if(Sections.begin(), Sections.end(), [&](const TSection& s) {
                return ZelSameTextAscii(s.Name, name);
            });
            if (it == Sections.end()) {
                Sections.push_back(TSection{name, {}});
                current = &Sections.back();
            } else {
                current = &*it;
            }
            continue;
        }
        size_t equals = line.find('=');
        if (!current || equals == std::string::npos)
            continue;
        current->Lines.emplace_back(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
    }
}

TZelIniFile TZelIniFile::FromFile(const std::string& path) {
    if (!ZelFileExists(path))
        return TZelIniFile();
    return TZelIniFile(ZelReadWholeFile(path));
}

const TZelIniFile::TSection* TZelIniFile::Find(const std::string& section) const {
    for (const auto& s : Sections)
        if (ZelSameTextAscii(s.Name, section))
            return &s;
    return nullptr;
}

bool TZelIniFile::HasKey(const std::string& section, const std::string& key) const {
    if (const TSection* s = Find(section))
        for (const auto& [name, value] : s->Lines)
            if (ZelSameTextAscii(name, key))
                return true;
    return false;
}

std::string TZelIniFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const {
    if (const TSection* s = Find(section))
        for (const auto& [name, value] : s->Lines)
            if (ZelSameTextAscii(name, key))
                return value;
    return defaultValue;
}

int64_t TZelIniFile::ReadInteger(const std::string& section, const std::string& key,
                                 int64_t defaultValue) const {
    std::string text = ReadString(section, key, "");
    if (text.empty())
        return defaultValue;
    try {
        return ZelStrToInt(text);
    } catch (const EZelConvertError&) {
        return defaultValue;
    }
}

bool TZelIniFile::ReadBool(const std::string& section, const std::string& key,
                           bool defaultValue) const {
    return ZelParseBoolText(ReadString(section, key, "")).value_or(defaultValue);
}

const std::vector<std::pair<std::string, std::string>>&
TZelIniFile::ReadSectionValues(const std::string& section) const {
    static const std::vector<std::pair<std::string, std::string>> none;
    const TSection* s = Find(section);
    return s ? s->Lines : none;
}

std::vector<std::string> ZelParseCommaText(const std::string& text) {
    std::vector<std::string> items;
    // The text ends at its first zero byte, as a C string would.
    std::string_view t(text.c_str());
    size_t p = 0;
    auto skipBlanks = [&] {
        while (p < t.size() && IsBlankOrControl(t[p]))
            ++p;
    };
    skipBlanks();
    while (p < t.size()) {
        std::string item;
        if (t[p] == '"') {
            ++p;
            while (p < t.size()) {
                if (t[p] == '"') {
                    if (p + 1 < t.size() && t[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += t[p++];
            }
        } else {
            size_t start = p;
            while (p < t.size() && uint8_t(t[p]) > ' ' && t[p] != ',')
                ++p;
            item = std::string(t.substr(start, p - start));
        }
        items.push_back(item);
        skipBlanks();
        if (p < t.size() && t[p] == ',') {
            ++p;
            skipBlanks();
        }
    }
    return items;
}
