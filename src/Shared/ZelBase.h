// Reference-counted interface objects, interface identifiers and the smart pointer that
// holds them. Every engine object implements one or more interfaces derived (virtually)
// from IZelUnknown; ZelRef<I> keeps it alive, and ZelQuery<I> asks an object for another of
// its interfaces by GUID, so that a cursor filter can answer for its base cursor.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

struct ZelGuid {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};

    friend constexpr bool operator==(const ZelGuid& a, const ZelGuid& b) {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
            return false;
        for (int i = 0; i < 8; ++i)
            if (a.Data4[i] != b.Data4[i])
                return false;
        return true;
    }
};

namespace ZelGuidDetail {
consteval uint32_t HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return uint32_t(c - '0');
    if (c >= 'a' && c <= 'f')
        return uint32_t(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return uint32_t(c - 'A' + 10);
    throw "bad hex digit in GUID";
}
consteval uint32_t Hex(const char* s, int pos, int digits) {
    uint32_t v = 0;
    for (int i = 0; i < digits; ++i)
        v = v * 16 + HexDigit(s[pos + i]);
    return v;
}
} // namespace ZelGuidDetail

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at compile time.
consteval ZelGuid ZelMakeGuid(const char (&s)[39]) {
    using namespace ZelGuidDetail;
    ZelGuid g;
    g.Data1 = Hex(s, 1, 8);
    g.Data2 = uint16_t(Hex(s, 10, 4));
    g.Data3 = uint16_t(Hex(s, 15, 4));
    g.Data4[0] = uint8_t(Hex(s, 20, 2));
    g.Data4[1] = uint8_t(Hex(s, 22, 2));
    for (int i = 0; i < 6; ++i)
        g.Data4[2 + i] = uint8_t(Hex(s, 25 + 2 * i, 2));
    return g;
}

class IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{00000000-0000-0000-C000-000000000046}");

    // Returns the object seen as the requested interface (not reference-counted by the
    // call), or nullptr when the object does not support it.
    virtual void* QueryInterface(const ZelGuid& iid) = 0;
    virtual void AddRef() = 0;
    virtual void Release() = 0;

protected:
    virtual ~IZelUnknown() = default;
};

// Base of every reference-counted engine object. A new object has the count 0; the first
// ZelRef that takes it makes it 1, and releasing the last one deletes it. The engine runs on
// one thread (a search in the background gets objects of its own), so the count is a plain
// integer: analysis creates and drops many small objects, and a locked count would cost it
// a sixth of its time.
class TZelInterfacedObject : public virtual IZelUnknown {
public:
    TZelInterfacedObject() = default;
    TZelInterfacedObject(const TZelInterfacedObject&) = delete;
    TZelInterfacedObject& operator=(const TZelInterfacedObject&) = delete;

    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelUnknown::IID)
            return static_cast<IZelUnknown*>(this);
        return nullptr;
    }
    void AddRef() override { ++RefCount; }
    void Release() override {
        if (--RefCount == 0)
            delete this;
    }
    int GetRefCount() const { return RefCount; }

private:
    int RefCount = 0;
};

template <class I> class ZelRef {
public:
    ZelRef() = default;
    ZelRef(std::nullptr_t) {}
    ZelRef(I* p) : Ptr(p) {
        if (Ptr)
            Ptr->AddRef();
    }
    ZelRef(const ZelRef& other) : ZelRef(other.Ptr) {}
    ZelRef(ZelRef&& other) noexcept : Ptr(std::exchange(other.Ptr, nullptr)) {}
    template <class J>
    ZelRef(const ZelRef<J>& other) requires std::is_convertible_v<J*, I*>
        : ZelRef(static_cast<I*>(other.get())) {}
    ~ZelRef() { reset(); }

    ZelRef& operator=(ZelRef other) noexcept {
        std::swap(Ptr, other.Ptr);
        return *this;
    }

    void reset() {
        if (Ptr)
            std::exchange(Ptr, nullptr)->Release();
    }
    I* get() const { return Ptr; }
    I* operator->() const { return Ptr; }
    I& operator*() const { return *Ptr; }
    explicit operator bool() const { return Ptr != nullptr; }

    friend bool operator==(const ZelRef& a, const ZelRef& b) { return a.Ptr == b.Ptr; }
    friend bool operator==(const ZelRef& a, std::nullptr_t) { return a.Ptr == nullptr; }

private:
    I* Ptr = nullptr;
};

// Creates a reference-counted object and hands out its first reference.
template <class T, class... Args> ZelRef<T> ZelMake(Args&&... args) {
    return ZelRef<T>(new T(std::forward<Args>(args)...));
}

// Asks an object for one of its interfaces; an empty reference when it has none.
template <class I> ZelRef<I> ZelQuery(IZelUnknown* obj) {
    if (!obj)
        return nullptr;
    return ZelRef<I>(static_cast<I*>(obj->QueryInterface(I::IID)));
}

template <class I, class J> ZelRef<I> ZelQuery(const ZelRef<J>& obj) {
    return ZelQuery<I>(static_cast<IZelUnknown*>(obj.get()));
}

template <class I> bool ZelSupports(IZelUnknown* obj) {
    return obj && obj->QueryInterface(I::IID) != nullptr;
}
