// The other applications' windows on the desktop, for looking up text selected in them:
// which window is in the foreground (the window manager's active window, or its owner),
// its caption, icon and minimised state; bringing it to the front; making it copy its
// selection with a synthesised copy keystroke. An X11 implementation works where the
// session has an X display; elsewhere (Wayland, no display) the service says why it is not
// available. Tests install their own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TZelForeignWindow {
    uint64_t Id = 0;
    std::string Caption;     // UTF-8
    std::string WindowClass; // the class part of WM_CLASS
    bool Minimized = false;
    bool OwnProcess = false;    // a window of this program
    int IconSize = 0;           // width and height of Icon
    std::vector<uint32_t> Icon; // ARGB, row by row; empty when the window has none
};

class TZelDesktopWindows {
public:
    virtual ~TZelDesktopWindows() = default;
    // Empty when the service works; otherwise why not (shown to the user).
    virtual std::string UnavailableReason() const = 0;
    // The active window, or its owner when it has one; none for no window, the desktop, a
    // dock or panel, or a window of a class in the ignored list.
    virtual std::optional<TZelForeignWindow> ForegroundWindow() = 0;
    // Asks the window manager to activate the window; false when it is gone.
    virtual bool Activate(uint64_t window) = 0;
    // Control down, the key that types "c", Control up, to the focused window.
    virtual void SendCopyKeystroke() = 0;
    // Window classes never offered (file managers, by default).
    void SetIgnoredClasses(std::vector<std::string> classes) { Ignored = std::move(classes); }
    const std::vector<std::string>& IgnoredClasses() const { return Ignored; }

protected:
    bool IsIgnoredClass(const std::string& windowClass) const;

private:
    std::vector<std::string> Ignored{"Nautilus",
                                     "org.gnome.Nautilus",
                                     "Org.gnome.Nautilus",
                                     "dolphin",
                                     "Thunar",
                                     "Pcmanfm",
                                     "Nemo",
                                     "Caja",
                                     "Xfdesktop"};
};

// The service of this session: X11 when a display can be opened, else one that is not
// available. Made on first use.
TZelDesktopWindows& ZelDesktopWindows();
// Installs another (nullptr: the session's again); returns the previous one.
std::shared_ptr<TZelDesktopWindows>
ZelSetDesktopWindows(std::shared_ptr<TZelDesktopWindows> service);

// The X11 service on the display of $DISPLAY, or none when it cannot be opened (or the
// program was built without X11).
std::shared_ptr<TZelDesktopWindows> ZelCreateX11DesktopWindows();
