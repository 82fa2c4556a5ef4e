// The desktop's windows through Xlib, the EWMH properties of the window manager and the
// XTest extension.
#include "ZelDesktopWindows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>

#include <unistd.h>

namespace {

// Windows come and go while we read them: their errors are expected and ignored.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

class TErrorTrap {
public:
    explicit TErrorTrap(Display* display) : Shown(display) {
        XSync(Shown, False);
        Previous = XSetErrorHandler(IgnoreErrors);
    }
    ~TErrorTrap() {
        XSync(Shown, False);
        XSetErrorHandler(Previous);
    }
    TErrorTrap(const TErrorTrap&) = delete;
    TErrorTrap& operator=(const TErrorTrap&) = delete;

private:
    Display* Shown;
    int (*Previous)(Display*, XErrorEvent*) = nullptr;
};

// A property's items (32-bit items come as longs in Xlib).
std::vector<unsigned long> LongProperty(Display* display, Window window, Atom property, Atom type,
                                        long maxItems = 1 << 20) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, maxItems, False, type, &actualType,
                           &format, &count, &after, &data) == Success &&
        data && format == 32) {
        auto* values = reinterpret_cast<unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

std::string TextProperty(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data && format == 8)
        text.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    return text;
}

class TX11DesktopWindows : public TZelDesktopWindows {
public:
    explicit TX11DesktopWindows(Display* display) : Shown(display) {
        auto atom = [this](const char* name) { return XInternAtom(Shown, name, False); };
        ActiveWindow = atom("_NET_ACTIVE_WINDOW");
        WmPid = atom("_NET_WM_PID");
        WindowType = atom("_NET_WM_WINDOW_TYPE");
        TypeDesktop = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
        TypeDock = atom("_NET_WM_WINDOW_TYPE_DOCK");
        WmName = atom("_NET_WM_NAME");
        Utf8 = atom("UTF8_STRING");
        WmState = atom("_NET_WM_STATE");
        StateHidden = atom("_NET_WM_STATE_HIDDEN");
        WmIcon = atom("_NET_WM_ICON");
        IcccmState = atom("WM_STATE");
    }
    ~TX11DesktopWindows() override { XCloseDisplay(Shown); }

    std::string UnavailableReason() const override { return {}; }

    std::optional<TZelForeignWindow> ForegroundWindow() override {
        TErrorTrap trap(Shown);
        Window root = DefaultRootWindow(Shown);
        std::vector<unsigned long> active = LongProperty(Shown, root, ActiveWindow, XA_WINDOW, 1);
        if (active.empty() || active[0] == 0)
            return std::nullopt;
        Window window = active[0];
        Window owner = 0;
        if (XGetTransientForHint(Shown, window, &owner) && owner != 0 && owner != root)
            window = owner;
        for (unsigned long type : LongProperty(Shown, window, WindowType, XA_ATOM))
            if (type == TypeDesktop || type == TypeDock)
                return std::nullopt;
        TZelForeignWindow found;
        found.Id = window;
        XClassHint hint{};
        if (XGetClassHint(Shown, window, &hint)) {
            found.WindowClass = hint.res_class ? hint.res_class : "";
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        if (IsIgnoredClass(found.WindowClass))
            return std::nullopt;
        std::vector<unsigned long> pid = LongProperty(Shown, window, WmPid, XA_CARDINAL, 1);
        found.OwnProcess = !pid.empty() && pid[0] == unsigned(getpid());
        found.Caption = TextProperty(Shown, window, WmName, Utf8);
        if (found.Caption.empty())
            found.Caption = TextProperty(Shown, window, XA_WM_NAME, XA_STRING);
        if (found.Caption.empty())
            return std::nullopt;
        for (unsigned long state : LongProperty(Shown, window, WmState, XA_ATOM))
            found.Minimized = found.Minimized || state == StateHidden;
        std::vector<unsigned long> icccm = LongProperty(Shown, window, IcccmState, IcccmState, 2);
        found.Minimized = found.Minimized || (!icccm.empty() && icccm[0] == IconicState);
        ReadIcon(window, found);
        return found;
    }

    bool Activate(uint64_t window) override {
        TErrorTrap trap(Shown);
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(Shown, Window(window), &attributes))
            return false;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = Window(window);
        event.xclient.message_type = ActiveWindow;
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2; // a pager's request: honoured at once
        event.xclient.data.l[1] = CurrentTime;
        Window root = DefaultRootWindow(Shown);
        XSendEvent(Shown, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
        // Without a window manager the request reaches nobody: raise and focus it ourselves.
        XRaiseWindow(Shown, Window(window));
        if (attributes.map_state == IsViewable)
            XSetInputFocus(Shown, Window(window), RevertToParent, CurrentTime);
        return true;
    }

    void SendCopyKeystroke() override {
        KeyCode control = XKeysymToKeycode(Shown, XK_Control_L);
        KeyCode c = XKeysymToKeycode(Shown, XK_c);
        XTestFakeKeyEvent(Shown, control, True, CurrentTime);
        XTestFakeKeyEvent(Shown, c, True, CurrentTime);
        XTestFakeKeyEvent(Shown, c, False, CurrentTime);
        XTestFakeKeyEvent(Shown, control, False, CurrentTime);
        XFlush(Shown);
    }

private:
    // The icon of _NET_WM_ICON nearest 16 pixels (width, height, then ARGB pixels, for
    // each size the window offers).
    void ReadIcon(Window window, TZelForeignWindow& found) {
        std::vector<unsigned long> data = LongProperty(Shown, window, WmIcon, XA_CARDINAL);
        size_t best = 0, at = 0;
        int bestSize = 0;
        while (at + 2 <= data.size()) {
            unsigned long width = data[at], height = data[at + 1];
            if (width == 0 || width > 512 || height != width ||
                at + 2 + width * height > data.size())
                break;
            int size = int(width);
            if (bestSize == 0 || std::abs(size - 16) < std::abs(bestSize - 16)) {
                bestSize = size;
                best = at;
            }
            at += 2 + width * height;
        }
        if (bestSize == 0)
            return;
        found.IconSize = bestSize;
        found.Icon.reserve(size_t(bestSize) * size_t(bestSize));
        for (size_t i = 0; i < size_t(bestSize) * size_t(bestSize); ++i)
            found.Icon.push_back(uint32_t(data[best + 2 + i]));
    }

    Display* Shown;
    Atom ActiveWindow, WmPid, WindowType, TypeDesktop, TypeDock, WmName, Utf8, WmState, StateHidden,
        WmIcon, IcccmState;
};

} // namespace

std::shared_ptr<TZelDesktopWindows> ZelCreateX11DesktopWindows() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_shared<TX11DesktopWindows>(display);
}
