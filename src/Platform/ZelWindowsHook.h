// Hooks on the user's input shared by several objects of one process: each kind of hook
// (the mouse) is installed in the system once, while at least one hook object of that kind
// is active, and the system's calls go to the active objects in the order they became
// active until one of them handles the call (returns non-zero), which also keeps the call
// from the rest of the system's chain. The system part is supplied by the window layer
// (an application-wide event filter on this platform) through IZelHookSystem.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TZelBaseHook;

// The mouse messages a mouse hook sees (wParam), with TZelMouseHookInfo in lParam.
enum : uintptr_t {
    ZelHookMouseMove = 0x0200,
    ZelHookLeftButtonDown = 0x0201,
    ZelHookLeftButtonUp = 0x0202,
    ZelHookRightButtonDown = 0x0204,
    ZelHookRightButtonUp = 0x0205,
};

struct TZelMouseHookInfo {
    int X = 0, Y = 0;       // the pointer on the screen
    void* Window = nullptr; // the window the message is for
};

// The kinds of hooks.
enum class TZelHookKind : uint8_t { Mouse };

using TZelHookProcedure = std::function<intptr_t(int code, uintptr_t wParam, intptr_t lParam)>;

class IZelHookSystem {
public:
    virtual ~IZelHookSystem() = default;
    // Installs the system's hook of a kind for the current thread: its handle, or nullptr
    // when it cannot be installed.
    virtual void* Install(TZelHookKind kind, TZelHookProcedure procedure) = 0;
    virtual bool Uninstall(void* handle) = 0;
    // Passes a call on to the next hook of the system's chain.
    virtual intptr_t CallNext(void* handle, int code, uintptr_t wParam, intptr_t lParam) = 0;
};

void ZelSetHookSystem(std::shared_ptr<IZelHookSystem> system);

// The hook objects of one kind, in the order they became active; it does not own them.
class TZelHookList {
public:
    void Add(TZelBaseHook* hook) { Hooks.push_back(hook); }
    bool Remove(TZelBaseHook* hook);
    bool IsEmpty() const { return Hooks.empty(); }
    int Count() const { return int(Hooks.size()); }
    TZelBaseHook* Get(int index) const;

private:
    std::vector<TZelBaseHook*> Hooks;
};

class TZelBaseHook {
public:
    using TEvent =
        std::function<intptr_t(TZelBaseHook& hook, int code, uintptr_t wParam, intptr_t lParam)>;

    explicit TZelBaseHook(TZelHookKind kind) : Kind(kind) {}
    // An active hook is made inactive first.
    virtual ~TZelBaseHook();
    TZelBaseHook(const TZelBaseHook&) = delete;
    TZelBaseHook& operator=(const TZelBaseHook&) = delete;

    void SetActive(bool on);
    bool IsActive() const { return Active; }
    // The event's answer; 0 (not handled) without one.
    virtual intptr_t HandleHook(int code, uintptr_t wParam, intptr_t lParam);

    TEvent OnHook;

    // The hook objects of a kind, and whether the kind's system hook is installed.
    static TZelHookList* List(TZelHookKind kind);
    static bool IsInstalled(TZelHookKind kind);

private:
    TZelHookKind Kind;
    bool Active = false;
};

class TZelMouseHook : public TZelBaseHook {
public:
    TZelMouseHook() : TZelBaseHook(TZelHookKind::Mouse) {}
};

// Fails (assertion) when a hook is still installed or a hook object still active: what a
// program checks as it ends.
void ZelCheckHooksReleased();
