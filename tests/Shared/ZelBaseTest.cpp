#include "ZelBase.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <gtest/gtest.h>

namespace {

class IFirst : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{11111111-2222-3333-4455-66778899AABB}");
    virtual int First() = 0;
};

class ISecond : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{11111111-2222-3333-4455-66778899AABC}");
    virtual int Second() = 0;
};

class TBoth : public TZelInterfacedObject, public virtual IFirst, public virtual ISecond {
public:
    explicit TBoth(int* destroyed) : Destroyed(destroyed) {}
    ~TBoth() override { ++*Destroyed; }
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IFirst::IID)
            return static_cast<IFirst*>(this);
        if (iid == ISecond::IID)
            return static_cast<ISecond*>(this);
        return TZelInterfacedObject::QueryInterface(iid);
    }
    int First() override { return 1; }
    int Second() override { return 2; }
    int* Destroyed;
};

} // namespace

TEST(Base, GuidsParseAtCompileTime) {
    constexpr ZelGuid g = ZelMakeGuid("{CE772303-3D32-4462-A7AE-F29BBEF6D3CA}");
    static_assert(g.Data1 == 0xCE772303 && g.Data2 == 0x3D32 && g.Data3 == 0x4462);
    static_assert(g.Data4[0] == 0xA7 && g.Data4[7] == 0xCA);
    EXPECT_FALSE(IFirst::IID == ISecond::IID);
}

TEST(Base, ReferencesKeepObjectsAliveAndQueryInterfaces) {
    int destroyed = 0;
    {
        ZelRef<IFirst> first = ZelMake<TBoth>(&destroyed);
        ZelRef<ISecond> second = ZelQuery<ISecond>(first);
        ASSERT_TRUE(second);
        EXPECT_EQ(second->Second(), 2);
        first.reset();
        EXPECT_EQ(destroyed, 0);
        EXPECT_EQ(ZelQuery<IFirst>(second)->First(), 1);
        EXPECT_TRUE(ZelQuery<IZelUnknown>(second));
        EXPECT_FALSE(ZelQuery<IFirst>(static_cast<IZelUnknown*>(nullptr)));
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(Base, AssertionsNameTheSourcePosition) {
    try {
        ZEL_ASSERT(1 + 1 == 3);
        FAIL();
    } catch (const EZelAssertion& e) {
        std::string message = e.what();
        EXPECT_EQ(message.rfind("Assertion failure (", 0), 0u) << message;
        // The file name alone, not the folder it was built in.
        EXPECT_EQ(message.rfind("Assertion failure (ZelBaseTest.cpp, line ", 0), 0u) << message;
    }
}

TEST(Base, FormatterIsSafeWithAnyText) {
    EXPECT_EQ(ZelFormat("List index out of bounds (%d)", {-7}), "List index out of bounds (-7)");
    EXPECT_EQ(ZelFormat("%.3d-%.3d", {9, 16}), "009-016");
    EXPECT_EQ(ZelFormat("%.4x", {16}), "0010");
    EXPECT_EQ(ZelFormat("%d%%", {5}), "5%");
    EXPECT_EQ(ZelFormat("100%", {}), "100%");
    // A conversion without an argument, of the wrong kind or unknown is written as it
    // stands: nothing is ever read that was not passed.
    EXPECT_EQ(ZelFormat("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(ZelFormat("%d", {"text"}), "%d");
    EXPECT_EQ(ZelFormat("%n %p %d", {3}), "%n %p 3");
}

TEST(Base, ResourceStringsCanBeTranslated) {
    EXPECT_EQ(ZelLoadStr(TZelResId::InvalidStreamFormat), "Invalid stream format");
    ZelSetResStringProvider([](TZelResId id) -> std::optional<std::string> {
        if (id == TZelResId::WordForm)
            return "Forma";
        return std::nullopt;
    });
    EXPECT_EQ(ZelLoadStr(TZelResId::WordForm), "Forma");
    EXPECT_EQ(ZelLoadStr(TZelResId::InvalidStreamFormat), "Invalid stream format");
    ZelSetResStringProvider(nullptr);
    EXPECT_EQ(ZelLoadStr(TZelResId::WordForm), "Word form");
    EXPECT_STREQ(ZelResName(TZelResId::WordForm), "WordForm");
}
