// The sharing rules of the input hooks, over a stand-in for the system's hook.
#include "ZelWindowsHook.h"
#include "ZelErrors.h"

#include <gtest/gtest.h>

namespace {

// Records installs and removals; Send plays a system call through the installed hook.
class TFakeSystem : public IZelHookSystem {
public:
    void* Install(TZelHookKind, TZelHookProcedure procedure) override {
        ++Installs;
        Procedure = std::move(procedure);
        return &Handle;
    }
    bool Uninstall(void* handle) override {
        ++Removals;
        Procedure = nullptr;
        return handle == &Handle;
    }
    intptr_t CallNext(void*, int, uintptr_t, intptr_t) override {
        ++PassedOn;
        return 0;
    }
    intptr_t Send(uintptr_t message) { return Procedure ? Procedure(0, message, 0) : -1; }

    int Installs = 0, Removals = 0, PassedOn = 0;
    int Handle = 0;
    TZelHookProcedure Procedure;
};

struct TWithFakeSystem : ::testing::Test {
    std::shared_ptr<TFakeSystem> System = std::make_shared<TFakeSystem>();
    void SetUp() override { ZelSetHookSystem(System); }
    void TearDown() override {
        ZelCheckHooksReleased();
        ZelSetHookSystem(nullptr);
    }
};

} // namespace

TEST_F(TWithFakeSystem, OneSystemHookServesEveryActiveObject) {
    TZelMouseHook first, second;
    first.SetActive(true);
    second.SetActive(true);
    EXPECT_EQ(System->Installs, 1);
    first.SetActive(true); // twice: nothing changes
    EXPECT_EQ(TZelBaseHook::List(TZelHookKind::Mouse)->Count(), 2);
    first.SetActive(false);
    EXPECT_TRUE(TZelBaseHook::IsInstalled(TZelHookKind::Mouse));
    EXPECT_EQ(System->Removals, 0);
    second.SetActive(false);
    EXPECT_FALSE(TZelBaseHook::IsInstalled(TZelHookKind::Mouse));
    EXPECT_EQ(System->Removals, 1);
    second.SetActive(false);
    EXPECT_EQ(System->Removals, 1);
}

TEST_F(TWithFakeSystem, AHandlerThatAnswersStopsTheChain) {
    std::string calls;
    TZelMouseHook first, second, third;
    first.OnHook = [&](TZelBaseHook&, int, uintptr_t, intptr_t) {
        return calls += "1", intptr_t(0);
    };
    second.OnHook = [&](TZelBaseHook&, int, uintptr_t message, intptr_t) {
        calls += "2";
        return message == ZelHookLeftButtonUp ? intptr_t(7) : intptr_t(0);
    };
    third.OnHook = [&](TZelBaseHook&, int, uintptr_t, intptr_t) {
        return calls += "3", intptr_t(0);
    };
    for (TZelMouseHook* hook : {&first, &second, &third})
        hook->SetActive(true);
    EXPECT_EQ(System->Send(ZelHookMouseMove), 0);
    EXPECT_EQ(calls, "123");
    EXPECT_EQ(System->PassedOn, 1);
    calls.clear();
    EXPECT_EQ(System->Send(ZelHookLeftButtonUp), 7);
    EXPECT_EQ(calls, "12"); // neither the third nor the system's chain
    EXPECT_EQ(System->PassedOn, 1);
}

TEST_F(TWithFakeSystem, AHookEndsInactive) {
    {
        TZelMouseHook hook;
        hook.SetActive(true);
    }
    EXPECT_FALSE(TZelBaseHook::IsInstalled(TZelHookKind::Mouse));
}

TEST(WindowsHook, WithoutASystemHookActivationFailsCleanly) {
    ZelSetHookSystem(nullptr);
    TZelMouseHook hook;
    EXPECT_THROW(hook.SetActive(true), EZelError);
    EXPECT_FALSE(hook.IsActive());
    ZelCheckHooksReleased();
}
