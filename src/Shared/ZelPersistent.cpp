#include "ZelPersistent.h"

#include "ZelHelpers.h"

#include "ZelErrors.h"
#include "ZelResStrings.h"

#include <cctype>
#include <cstring>
#include <typeinfo>

namespace {

enum TTag : uint8_t {
    TagInteger = 1,
    TagIdent = 2,
    TagString = 3,
    TagSet = 4,
    TagObject = 5,
    TagCollection = 6,
    TagStrings = 7,
};

const uint8_t StreamMagic[4] = {'Z', 'P', 'S', 1};

[[noreturn]] void RaiseUnexpectedType() {
    throw EZelError(ZelLoadStr(TZelResId::UnexpectedType));
}

bool SameClass(const TZelPersistent& a, const TZelPersistent& b) {
    return typeid(a) == typeid(b);
}

// ---------------------------------------------------------------------------------------
// Writing

class TWriter {
public:
    std::vector<uint8_t> Out;

    void U8(uint8_t v) { Out.push_back(v); }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            Out.push_back(uint8_t(v >> (8 * i)));
    }
    void Bytes(const std::string& s) { Out.insert(Out.end(), s.begin(), s.end()); }

    void Properties(const TZelPersistent& object) {
        for (const TZelPropInfo& p : object.GetProperties())
            Property(object, p);
        U8(0);
    }

private:
    void Property(const TZelPersistent& object, const TZelPropInfo& p) {
        if (p.Name.empty() || p.Name.size() > 255)
            RaiseUnexpectedType();
        TWriter value;
        uint8_t tag = 0;
        switch (p.Kind) {
        case TZelPropKind::Integer: {
            tag = TagInteger;
            uint64_t v = uint64_t(p.GetOrd(object));
            for (int i = 0; i < 8; ++i)
                value.U8(uint8_t(v >> (8 * i)));
            break;
        }
        case TZelPropKind::Enumeration: {
            tag = TagIdent;
            int64_t ordinal = p.GetOrd(object);
            if (ordinal < 0 || size_t(ordinal) >= p.Identifiers.size())
                RaiseUnexpectedType();
            value.Bytes(p.Identifiers[size_t(ordinal)]);
            break;
        }
        case TZelPropKind::Set: {
            tag = TagSet;
            auto bits = uint64_t(p.GetOrd(object));
            for (size_t i = 0; i < p.Identifiers.size() && i < 64; ++i)
                if (bits & (uint64_t(1) << i)) {
                    value.U8(uint8_t(p.Identifiers[i].size()));
                    value.Bytes(p.Identifiers[i]);
                }
            break;
        }
        case TZelPropKind::String:
            tag = TagString;
            value.Bytes(p.GetStr(object));
            break;
        case TZelPropKind::Object: {
            const TZelPersistent* nested = p.GetObj(object);
            if (auto* collection = dynamic_cast<const TZelCollection*>(nested)) {
                tag = TagCollection;
                value.U32(uint32_t(collection->GetItemCount()));
                for (int32_t i = 0; i < collection->GetItemCount(); ++i)
                    value.Properties(collection->GetItem(i));
            } else {
                tag = TagObject;
                value.Properties(*nested);
            }
            break;
        }
        case TZelPropKind::Strings: {
            tag = TagStrings;
            const std::vector<std::string>& list = *p.GetStrings(object);
            value.U32(uint32_t(list.size()));
            for (const auto& s : list) {
                value.U32(uint32_t(s.size()));
                value.Bytes(s);
            }
            break;
        }
        case TZelPropKind::Unsupported:
            RaiseUnexpectedType();
        }
        U8(uint8_t(p.Name.size()));
        Bytes(p.Name);
        U8(tag);
        U32(uint32_t(value.Out.size()));
        Out.insert(Out.end(), value.Out.begin(), value.Out.end());
    }
};

// ---------------------------------------------------------------------------------------
// Reading: every failure inside one property skips that property.

struct TMalformed {};

class TReader {
public:
    TReader(const uint8_t* data, size_t size) : Data(data), Size(size) {}

    bool AtEnd() const { return Pos >= Size; }
    size_t Left() const { return Size - Pos; }
    uint8_t U8() {
        if (Pos >= Size)
            throw TMalformed{};
        return Data[Pos++];
    }
    uint32_t U32() {
        if (Left() < 4)
            throw TMalformed{};
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t(Data[Pos++]) << (8 * i);
        return v;
    }
    std::string Bytes(size_t n) {
        if (Left() < n)
            throw TMalformed{};
        std::string s(reinterpret_cast<const char*>(Data + Pos), n);
        Pos += n;
        return s;
    }
    TReader Slice(size_t n) {
        if (Left() < n)
            throw TMalformed{};
        TReader r(Data + Pos, n);
        Pos += n;
        return r;
    }

    // Reads properties up to the end marker; false when the list was cut short.
    bool Properties(TZelPersistent& object) {
        for (;;) {
            uint8_t nameLength;
            std::string name;
            uint8_t tag;
            TReader value(nullptr, 0);
            try {
                nameLength = U8();
                if (nameLength == 0)
                    return true;
                name = Bytes(nameLength);
                tag = U8();
                value = Slice(U32());
            } catch (const TMalformed&) {
                return false;
            }
            const TZelPropInfo* p = Find(object, name);
            if (!p)
                continue;
            try {
                value.Property(object, *p, tag);
            } catch (const TMalformed&) {
            } catch (const EZelError&) {
            }
        }
    }

private:
    static const TZelPropInfo* Find(const TZelPersistent& object, const std::string& name) {
        for (const TZelPropInfo& p : object.GetProperties())
            if (ZelSameTextAscii(p.Name, name))
                return &p;
        return nullptr;
    }

    static int64_t IdentOrdinal(const TZelPropInfo& p, const std::string& ident) {
        for (size_t i = 0; i < p.Identifiers.size(); ++i)
            if (ZelSameTextAscii(p.Identifiers[i], ident))
                return int64_t(i);
        throw TMalformed{};
    }

    void Expect(bool condition) {
        if (!condition)
            throw TMalformed{};
    }

    void Property(TZelPersistent& object, const TZelPropInfo& p, uint8_t tag) {
        switch (p.Kind) {
        case TZelPropKind::Integer: {
            Expect(tag == TagInteger && Size == 8);
            uint64_t v = 0;
            for (int i = 0; i < 8; ++i)
                v |= uint64_t(Data[i]) << (8 * i);
            p.SetOrd(object, int64_t(v));
            break;
        }
        case TZelPropKind::Enumeration:
            Expect(tag == TagIdent);
            p.SetOrd(object, IdentOrdinal(p, Bytes(Size)));
            break;
        case TZelPropKind::Set: {
            Expect(tag == TagSet);
            uint64_t bits = 0;
            while (!AtEnd()) {
                std::string ident = Bytes(U8());
                bits |= uint64_t(1) << IdentOrdinal(p, ident);
            }
            p.SetOrd(object, int64_t(bits));
            break;
        }
        case TZelPropKind::String:
            Expect(tag == TagString);
            p.SetStr(object, Bytes(Size));
            break;
        case TZelPropKind::Object: {
            TZelPersistent* nested = p.GetObj(object);
            if (auto* collection = dynamic_cast<TZelCollection*>(nested)) {
                Expect(tag == TagCollection);
                uint32_t count = U32();
                collection->ClearItems();
                for (uint32_t i = 0; i < count && !AtEnd(); ++i)
                    if (!Properties(collection->AddItem()))
                        break;
            } else {
                Expect(tag == TagObject);
                Properties(*nested);
            }
            break;
        }
        case TZelPropKind::Strings: {
            Expect(tag == TagStrings);
            uint32_t count = U32();
            std::vector<std::string> list;
            for (uint32_t i = 0; i < count; ++i)
                list.push_back(Bytes(U32()));
            *p.GetStrings(object) = std::move(list);
            break;
        }
        case TZelPropKind::Unsupported:
            break;
        }
    }

    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
};

} // namespace

const std::vector<TZelPropInfo>& TZelCollection::GetProperties() const {
    static const std::vector<TZelPropInfo> none;
    return none;
}

namespace {

bool SameProperty(const TZelPropInfo& p, const TZelPersistent& a, const TZelPersistent& b) {
    switch (p.Kind) {
    case TZelPropKind::Integer:
    case TZelPropKind::Enumeration:
    case TZelPropKind::Set:
        return p.GetOrd(a) == p.GetOrd(b);
    case TZelPropKind::String:
        return p.GetStr(a) == p.GetStr(b);
    case TZelPropKind::Object:
        return SamePersistent(p.GetObj(a), p.GetObj(b));
    case TZelPropKind::Strings:
        return *p.GetStrings(a) == *p.GetStrings(b);
    case TZelPropKind::Unsupported:
        break;
    }
    RaiseUnexpectedType();
}

void CopyProperty(const TZelPropInfo& p, TZelPersistent& target, const TZelPersistent& source) {
    switch (p.Kind) {
    case TZelPropKind::Integer:
    case TZelPropKind::Enumeration:
    case TZelPropKind::Set:
        p.SetOrd(target, p.GetOrd(source));
        return;
    case TZelPropKind::String:
        p.SetStr(target, p.GetStr(source));
        return;
    case TZelPropKind::Object:
        CopyPersistent(*p.GetObj(target), *p.GetObj(source));
        return;
    case TZelPropKind::Strings:
        *p.GetStrings(target) = *p.GetStrings(source);
        return;
    case TZelPropKind::Unsupported:
        break;
    }
    RaiseUnexpectedType();
}

} // namespace

void CopyPersistent(TZelPersistent& target, const TZelPersistent& source) {
    if (&target == &source || !SameClass(target, source))
        return;
    for (const TZelPropInfo& p : source.GetProperties())
        CopyProperty(p, target, source);
    if (auto* collection = dynamic_cast<TZelCollection*>(&target)) {
        auto& from = static_cast<const TZelCollection&>(source);
        collection->ClearItems();
        for (int32_t i = 0; i < from.GetItemCount(); ++i)
            CopyPersistent(collection->AddItem(), from.GetItem(i));
    }
}

bool SamePersistent(const TZelPersistent* a, const TZelPersistent* b) {
    if (a == b)
        return true;
    if (!a || !b || !SameClass(*a, *b))
        return false;
    for (const TZelPropInfo& p : a->GetProperties())
        if (!SameProperty(p, *a, *b))
            return false;
    if (auto* ca = dynamic_cast<const TZelCollection*>(a)) {
        auto* cb = static_cast<const TZelCollection*>(b);
        if (ca->GetItemCount() != cb->GetItemCount())
            return false;
        for (int32_t i = 0; i < ca->GetItemCount(); ++i)
            if (!SamePersistent(&ca->GetItem(i), &cb->GetItem(i)))
                return false;
    }
    return true;
}

void MergePersistent(TZelPersistent& stored, const TZelPersistent& base,
                     const TZelPersistent& mine) {
    if (!SameClass(stored, base) || !SameClass(base, mine))
        return;
    for (const TZelPropInfo& p : mine.GetProperties()) {
        if (p.Kind == TZelPropKind::Object)
            MergePersistent(*p.GetObj(stored), *p.GetObj(base), *p.GetObj(mine));
        else if (!SameProperty(p, base, mine))
            CopyProperty(p, stored, mine);
    }
    auto* storedItems = dynamic_cast<TZelCollection*>(&stored);
    if (!storedItems)
        return;
    auto& baseItems = static_cast<const TZelCollection&>(base);
    auto& myItems = static_cast<const TZelCollection&>(mine);
    int32_t count = myItems.GetItemCount();
    if (baseItems.GetItemCount() == count && storedItems->GetItemCount() == count) {
        for (int32_t i = 0; i < count; ++i)
            MergePersistent(storedItems->GetItem(i), baseItems.GetItem(i), myItems.GetItem(i));
    } else if (!SamePersistent(&base, &mine)) {
        // Items added or removed on one side cannot be matched up: the list of this
        // side's change wins as a whole.
        CopyPersistent(stored, mine);
    }
}

std::vector<uint8_t> ZelWritePersistent(const TZelPersistent& object) {
    TWriter writer;
    writer.Out.assign(StreamMagic, StreamMagic + 4);
    writer.Properties(object);
    return writer.Out;
}

void ZelReadPersistent(const std::vector<uint8_t>& stream, TZelPersistent& object) {
    if (stream.size() < 4 || std::memcmp(stream.data(), StreamMagic, 4) != 0)
        return;
    TReader reader(stream.data() + 4, stream.size() - 4);
    reader.Properties(object);
}

void LoadPersistent(TZelSettingsKey& key, const std::string& valueName, TZelPersistent& object) {
    std::optional<std::vector<uint8_t>> value;
    try {
        value = key.ReadBinary(valueName);
    } catch (const EZelSettingsError&) {
        return;
    }
    if (value && !value->empty())
        ZelReadPersistent(*value, object);
}

void SavePersistent(TZelSettingsKey& key, const std::string& valueName,
                    const TZelPersistent& object) {
    key.WriteBinary(valueName, ZelWritePersistent(object));
}
