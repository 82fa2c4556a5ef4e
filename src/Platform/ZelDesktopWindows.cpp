#include "ZelDesktopWindows.h"

#include <algorithm>
#include <cstdlib>

namespace {

class TUnavailableDesktopWindows : public TZelDesktopWindows {
public:
    explicit TUnavailableDesktopWindows(std::string reason) : Reason(std::move(reason)) {}
    std::string UnavailableReason() const override { return Reason; }
    std::optional<TZelForeignWindow> ForegroundWindow() override { return std::nullopt; }
    bool Activate(uint64_t) override { return false; }
    void SendCopyKeystroke() override {}

private:
    std::string Reason;
};

std::shared_ptr<TZelDesktopWindows> MakeSessionService() {
    if (auto x11 = ZelCreateX11DesktopWindows())
        return x11;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland && *wayland)
        return std::make_shared<TUnavailableDesktopWindows>(
            "a Wayland session does not let one program read or control another's windows");
    return std::make_shared<TUnavailableDesktopWindows>("there is no X11 display");
}

std::shared_ptr<TZelDesktopWindows>& Installed() {
    static std::shared_ptr<TZelDesktopWindows> service;
    return service;
}

} // namespace

bool TZelDesktopWindows::IsIgnoredClass(const std::string& windowClass) const {
    return std::find(Ignored.begin(), Ignored.end(), windowClass) != Ignored.end();
}

TZelDesktopWindows& ZelDesktopWindows() {
    if (!Installed())
        Installed() = MakeSessionService();
    return *Installed();
}

std::shared_ptr<TZelDesktopWindows>
ZelSetDesktopWindows(std::shared_ptr<TZelDesktopWindows> service) {
    std::shared_ptr<TZelDesktopWindows> previous = Installed();
    Installed() = std::move(service);
    return previous;
}

#ifndef NORVEL_HAVE_X11
std::shared_ptr<TZelDesktopWindows> ZelCreateX11DesktopWindows() {
    return nullptr;
}
#endif
