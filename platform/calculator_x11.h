#pragma once
// The X11 window operations behind Calculator, on libxcb. Private to the platform layer.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

class X11Windows {
public:
    using Window = std::uint32_t;

    struct Match {
        Window window = 0;
        bool viewable = false;
        std::string windowClass;  // WM_CLASS instance name, to recognise the window later
    };

    // The display the application runs on: Qt's own connection on the xcb platform, a new
    // connection when no GUI platform runs and DISPLAY is set, else nullptr (offscreen,
    // Wayland, no display, or built without libxcb).
    static std::unique_ptr<X11Windows> Open();

    virtual ~X11Windows() = default;

    // False once the connection to the display broke.
    virtual bool Usable() = 0;
    // The best calculator window: one of process pid (when pid > 0) before one whose WM_CLASS
    // instance or class is in classes (any case), a viewable window before a hidden one.
    // Override-redirect windows (menus, tooltips) and windows of at most 20 x 20 pixels
    // (group leaders, helpers) are never taken.
    virtual Match Find(long long pid, const std::vector<std::string>& classes) = 0;
    // The window still exists and still carries windowClass in its WM_CLASS.
    virtual bool Exists(Window window, const std::string& windowClass) = 0;
    virtual bool IsMapped(Window window) = 0;
    virtual void Map(Window window) = 0;
    virtual void Unmap(Window window) = 0;
    // Raise and give the focus; stacks it on top itself when no window manager runs.
    virtual void Activate(Window window) = 0;
    // Adds or removes _NET_WM_STATE_ABOVE.
    virtual void SetAbove(Window window, bool above) = 0;
};

}  // namespace velmora
