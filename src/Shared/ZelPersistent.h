// Persistence of settings objects. A settings class declares a table of its persisted
// properties (name, kind, accessors); the routines here copy, compare, save and load any
// such object by walking that table, recursing into nested objects and collections.
//
// The saved form is a tagged property stream of our own: "ZPS" and a version byte, then
// properties, each a length-prefixed name, a type tag and a length-prefixed value, closed by
// an empty name. Enumerations and booleans are stored by identifier. A reader skips every
// property it does not know or cannot accept, so settings saved by another version load
// with whatever still fits, and missing properties keep their defaults.
#pragma once

#include "ZelSettingsStore.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TZelPersistent;

enum class TZelPropKind { Integer, Enumeration, Set, String, Object, Strings, Unsupported };

struct TZelPropInfo {
    std::string Name;
    TZelPropKind Kind = TZelPropKind::Unsupported;
    // Identifiers of an enumeration's values or a set's elements, by ordinal.
    std::vector<std::string> Identifiers;
    std::function<int64_t(const TZelPersistent&)> GetOrd;
    std::function<void(TZelPersistent&, int64_t)> SetOrd;
    std::function<std::string(const TZelPersistent&)> GetStr;
    std::function<void(TZelPersistent&, const std::string&)> SetStr;
    std::function<TZelPersistent*(const TZelPersistent&)> GetObj;
    std::function<std::vector<std::string>*(const TZelPersistent&)> GetStrings;
};

class TZelPersistent {
public:
    virtual ~TZelPersistent() = default;
    // The persisted properties of the object's class, in declaration order.
    virtual const std::vector<TZelPropInfo>& GetProperties() const = 0;
};

// A persisted list of items of one class.
class TZelCollection : public TZelPersistent {
public:
    const std::vector<TZelPropInfo>& GetProperties() const override;
    virtual int32_t GetItemCount() const = 0;
    virtual TZelPersistent& GetItem(int32_t index) const = 0;
    virtual TZelPersistent& AddItem() = 0;
    virtual void ClearItems() = 0;
};

// A collection that owns items of class TItem.
template <class TItem> class TZelOwnedCollection : public TZelCollection {
public:
    int32_t GetItemCount() const override { return int32_t(Items.size()); }
    TItem& GetItem(int32_t index) const override { return *Items.at(size_t(index)); }
    TItem& AddItem() override {
        Items.push_back(std::make_unique<TItem>());
        return *Items.back();
    }
    void ClearItems() override { Items.clear(); }
    void DeleteItem(int32_t index) { Items.erase(Items.begin() + index); }

protected:
    std::vector<std::unique_ptr<TItem>> Items;
};

// Property declarations over data members of the class C.
template <class C> TZelPropInfo ZelIntProp(const char* name, int32_t C::*member) {
    TZelPropInfo p;
    p.Name = name;
    p.Kind = TZelPropKind::Integer;
    p.GetOrd = [member](const TZelPersistent& o) {
        return int64_t(static_cast<const C&>(o).*member);
    };
    p.SetOrd = [member](TZelPersistent& o, int64_t v) { static_cast<C&>(o).*member = int32_t(v); };
    return p;
}

template <class C, class E>
TZelPropInfo ZelEnumProp(const char* name, E C::*member, std::vector<std::string> identifiers) {
    TZelPropInfo p;
    p.Name = name;
    p.Kind = TZelPropKind::Enumeration;
    p.Identifiers = std::move(identifiers);
    p.GetOrd = [member](const TZelPersistent& o) {
        return int64_t(static_cast<const C&>(o).*member);
    };
    p.SetOrd = [member](TZelPersistent& o, int64_t v) { static_cast<C&>(o).*member = E(v); };
    return p;
}

template <class C> TZelPropInfo ZelBoolProp(const char* name, bool C::*member) {
    return ZelEnumProp(name, member, {"False", "True"});
}

template <class C>
TZelPropInfo ZelSetProp(const char* name, uint32_t C::*member,
                        std::vector<std::string> identifiers) {
    TZelPropInfo p = ZelEnumProp(name, member, std::move(identifiers));
    p.Kind = TZelPropKind::Set;
    return p;
}

template <class C>
TZelPropInfo ZelStringProp(const char* name, std::function<std::string(const C&)> get,
                           std::function<void(C&, const std::string&)> set) {
    TZelPropInfo p;
    p.Name = name;
    p.Kind = TZelPropKind::String;
    p.GetStr = [get](const TZelPersistent& o) { return get(static_cast<const C&>(o)); };
    p.SetStr = [set](TZelPersistent& o, const std::string& v) { set(static_cast<C&>(o), v); };
    return p;
}

template <class C> TZelPropInfo ZelStringProp(const char* name, std::string C::*member) {
    return ZelStringProp<C>(
        name, [member](const C& o) { return o.*member; },
        [member](C& o, const std::string& v) { o.*member = v; });
}

template <class C, class O> TZelPropInfo ZelObjectProp(const char* name, O C::*member) {
    TZelPropInfo p;
    p.Name = name;
    p.Kind = TZelPropKind::Object;
    p.GetObj = [member](const TZelPersistent& o) -> TZelPersistent* {
        return const_cast<O*>(&(static_cast<const C&>(o).*member));
    };
    return p;
}

template <class C>
TZelPropInfo ZelStringsProp(const char* name, std::vector<std::string> C::*member) {
    TZelPropInfo p;
    p.Name = name;
    p.Kind = TZelPropKind::Strings;
    p.GetStrings = [member](const TZelPersistent& o) {
        return const_cast<std::vector<std::string>*>(&(static_cast<const C&>(o).*member));
    };
    return p;
}

// Copies every persisted property when both objects are of the same class; a collection's
// items are replaced by copies of the source's. Raises "Unexpected type" for a property of
// an unsupported kind.
void CopyPersistent(TZelPersistent& target, const TZelPersistent& source);
// True for the same object, or objects of one class whose persisted properties, collection
// items and string lists are all equal.
bool SamePersistent(const TZelPersistent* a, const TZelPersistent* b);

// A three-way merge for settings two processes may change at once: every property that
// `mine` changed since `base` (what this process read) is brought into `stored` (what is
// saved now); the properties it left alone keep the stored value. Nested objects and lists
// of equal length are merged item by item; a list whose length differs is taken whole from
// `mine` when `mine` changed it.
void MergePersistent(TZelPersistent& stored, const TZelPersistent& base,
                     const TZelPersistent& mine);

// The object's persisted properties as a stream, and back. Reading never fails on a
// property: unknown, malformed and truncated entries are skipped.
std::vector<uint8_t> ZelWritePersistent(const TZelPersistent& object);
void ZelReadPersistent(const std::vector<uint8_t>& stream, TZelPersistent& object);

// Reads the binary value into the object. A missing value, a value of another type or a
// store error keeps the object as it is.
void LoadPersistent(TZelSettingsKey& key, const std::string& valueName, TZelPersistent& object);
void SavePersistent(TZelSettingsKey& key, const std::string& valueName,
                    const TZelPersistent& object);
