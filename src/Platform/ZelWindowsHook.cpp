#include "ZelWindowsHook.h"

#include "ZelErrors.h"
#include "ZelResStrings.h"

#include <algorithm>
#include <array>

namespace {

struct TKindState {
    std::unique_ptr<TZelHookList> List; // created on first use
    void* Handle = nullptr;             // the system's hook while installed
};

std::array<TKindState, 1>& Kinds() {
    static std::array<TKindState, 1> kinds;
    return kinds;
}

TKindState& StateOf(TZelHookKind kind) {
    return Kinds()[size_t(kind)];
}

std::shared_ptr<IZelHookSystem>& System() {
    static std::shared_ptr<IZelHookSystem> system;
    return system;
}

// The system calls this: the hooks of the kind in order, until one handles the call.
intptr_t HookProcedure(TZelHookKind kind, int code, uintptr_t wParam, intptr_t lParam) {
    TKindState& state = StateOf(kind);
    if (code >= 0 && state.List) {
        // A copy: a hook may make itself or another inactive while it handles the call.
        std::vector<TZelBaseHook*> hooks;
        for (int i = 0; i < state.List->Count(); ++i)
            hooks.push_back(state.List->Get(i));
        for (TZelBaseHook* hook : hooks)
            if (intptr_t result = hook->HandleHook(code, wParam, lParam))
                return result;
    }
    return System() && state.Handle ? System()->CallNext(state.Handle, code, wParam, lParam) : 0;
}

void Install(TZelHookKind kind) {
    TKindState& state = StateOf(kind);
    ZEL_ASSERT(state.Handle == nullptr);
    if (!System())
        throw EZelError(ZelLoadStr(TZelResId::HookUnavailable));
    state.Handle = System()->Install(kind, [kind](int code, uintptr_t wParam, intptr_t lParam) {
        return HookProcedure(kind, code, wParam, lParam);
    });
    if (!state.Handle)
        throw EZelError(ZelLoadStr(TZelResId::HookUnavailable));
}

void Uninstall(TZelHookKind kind) {
    TKindState& state = StateOf(kind);
    ZEL_ASSERT(state.List && state.List->IsEmpty());
    void* handle = state.Handle;
    state.Handle = nullptr;
    if (handle && System() && !System()->Uninstall(handle))
        throw EZelError(ZelLoadStr(TZelResId::HookUnavailable));
}

} // namespace

void ZelSetHookSystem(std::shared_ptr<IZelHookSystem> system) {
    System() = std::move(system);
}

bool TZelHookList::Remove(TZelBaseHook* hook) {
    auto found = std::find(Hooks.begin(), Hooks.end(), hook);
    if (found == Hooks.end())
        return false;
    Hooks.erase(found);
    return true;
}

TZelBaseHook* TZelHookList::Get(int index) const {
    ZEL_ASSERT(index >= 0 && index < Count() && Hooks[size_t(index)] != nullptr);
    return Hooks[size_t(index)];
}

TZelBaseHook::~TZelBaseHook() {
    try {
        SetActive(false);
    } catch (const EZelError&) {
        // The system would not remove its hook: nothing more can be done here.
    }
}

void TZelBaseHook::SetActive(bool on) {
    if (on == Active)
        return;
    TKindState& state = StateOf(Kind);
    if (!state.List)
        state.List = std::make_unique<TZelHookList>();
    if (on) {
        if (state.List->IsEmpty())
            Install(Kind);
        state.List->Add(this);
    } else {
        ZEL_ASSERT(state.List->Remove(this));
        Active = false;
        if (state.List->IsEmpty())
            Uninstall(Kind);
    }
    Active = on;
}

intptr_t TZelBaseHook::HandleHook(int code, uintptr_t wParam, intptr_t lParam) {
    return OnHook ? OnHook(*this, code, wParam, lParam) : 0;
}

TZelHookList* TZelBaseHook::List(TZelHookKind kind) {
    return StateOf(kind).List.get();
}

bool TZelBaseHook::IsInstalled(TZelHookKind kind) {
    return StateOf(kind).Handle != nullptr;
}

void ZelCheckHooksReleased() {
    for (TKindState& state : Kinds()) {
        ZEL_ASSERT(state.Handle == nullptr);
        ZEL_ASSERT(!state.List || state.List->IsEmpty());
        state.List.reset();
    }
}
