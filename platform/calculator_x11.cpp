#include "calculator_x11.h"

#if VELMORA_HAVE_XCB

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace velmora {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeDeleter>;

// ICCCM WM_STATE values.
constexpr std::uint32_t kWithdrawnState = 0;

// EWMH: requests from pagers and task bars act on the user's direct wish, so window
// managers do not apply focus-stealing prevention to them. A click on our calculator
// button is exactly that.
constexpr std::uint32_t kSourcePager = 2;

// A calculator's window sits at most a few levels below the root: frame, maybe a wrapper.
constexpr int kMaxDepth = 4;
constexpr std::size_t kMaxWindows = 8192;
constexpr int kMinSize = 20;

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// WM_CLASS holds two NUL-terminated strings: instance name, class name.
std::array<std::string, 2> ParseWmClass(const char* data, int length)
{
    std::array<std::string, 2> parts;
    int start = 0;
    for (int k = 0; k < 2 && start < length; ++k) {
        int end = start;
        while (end < length && data[end] != '\0')
            ++end;
        parts[static_cast<std::size_t>(k)].assign(data + start, static_cast<std::size_t>(end - start));
        start = end + 1;
    }
    return parts;
}

class XcbWindows final : public X11Windows {
public:
    XcbWindows(xcb_connection_t* connection, bool own, xcb_window_t root) : c_(connection), own_(own), root_(root)
    {
        InternAtoms();
    }
    ~XcbWindows() override
    {
        if (own_)
            xcb_disconnect(c_);
    }
    XcbWindows(const XcbWindows&) = delete;
    XcbWindows& operator=(const XcbWindows&) = delete;

    bool Usable() override { return xcb_connection_has_error(c_) == 0; }

    Match Find(long long pid, const std::vector<std::string>& classes) override;
    bool Exists(Window window, const std::string& windowClass) override;
    bool IsMapped(Window window) override;
    void Map(Window window) override;
    void Unmap(Window window) override;
    void Activate(Window window) override;
    void SetAbove(Window window, bool above) override;

private:
    void InternAtoms();
    // Every request goes through a checked call or a reply with an error slot, so that an
    // error (a window that just vanished) comes back here and never lands in Qt's event
    // queue as a warning.
    void Check(xcb_void_cookie_t cookie) { std::free(xcb_request_check(c_, cookie)); }
    XcbPtr<xcb_get_property_reply_t> Property(Window window, xcb_atom_t property, xcb_atom_t type,
                                              std::uint32_t longLength);
    std::vector<std::uint32_t> Card32s(Window window, xcb_atom_t property, xcb_atom_t type);
    bool HasWindowManager();
    bool IsManaged(Window window);
    void SendToRoot(const void* event, std::size_t size);
    void SendClientMessage(Window window, xcb_atom_t type, std::array<std::uint32_t, 5> data);

    xcb_connection_t* c_;
    bool own_;
    xcb_window_t root_;
    xcb_atom_t netWmPid_ = XCB_ATOM_NONE;
    xcb_atom_t netWmState_ = XCB_ATOM_NONE;
    xcb_atom_t netWmStateAbove_ = XCB_ATOM_NONE;
    xcb_atom_t netActiveWindow_ = XCB_ATOM_NONE;
    xcb_atom_t netSupportingWmCheck_ = XCB_ATOM_NONE;
    xcb_atom_t wmState_ = XCB_ATOM_NONE;
};

void XcbWindows::InternAtoms()
{
    const char* names[] = {
        "_NET_WM_PID", "_NET_WM_STATE", "_NET_WM_STATE_ABOVE", "_NET_ACTIVE_WINDOW", "_NET_SUPPORTING_WM_CHECK",
        "WM_STATE"};
    xcb_atom_t* slots[] = {&netWmPid_,        &netWmState_,           &netWmStateAbove_,
                           &netActiveWindow_, &netSupportingWmCheck_, &wmState_};
    constexpr std::size_t n = std::size(names);
    std::array<xcb_intern_atom_cookie_t, n> cookies{};
    for (std::size_t k = 0; k < n; ++k)
        cookies[k] = xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(std::strlen(names[k])), names[k]);
    for (std::size_t k = 0; k < n; ++k) {
        xcb_generic_error_t* error = nullptr;
        XcbPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c_, cookies[k], &error));
        std::free(error);
        if (reply)
            *slots[k] = reply->atom;
    }
}

XcbPtr<xcb_get_property_reply_t> XcbWindows::Property(Window window, xcb_atom_t property, xcb_atom_t type,
                                                      std::uint32_t longLength)
{
    xcb_generic_error_t* error = nullptr;
    XcbPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c_, xcb_get_property(c_, 0, window, property, type, 0, longLength), &error));
    std::free(error);
    return reply;
}

std::vector<std::uint32_t> XcbWindows::Card32s(Window window, xcb_atom_t property, xcb_atom_t type)
{
    std::vector<std::uint32_t> values;
    if (property == XCB_ATOM_NONE)
        return values;
    auto reply = Property(window, property, type, 1024);
    if (!reply || reply->format != 32)
        return values;
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    values.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
    return values;
}

bool XcbWindows::HasWindowManager()
{
    // An EWMH window manager names a child window that carries the same property
    // pointing at itself; a stale property left by a dead manager points nowhere.
    auto fromRoot = Card32s(root_, netSupportingWmCheck_, XCB_ATOM_WINDOW);
    if (fromRoot.empty() || fromRoot[0] == XCB_WINDOW_NONE)
        return false;
    auto fromChild = Card32s(fromRoot[0], netSupportingWmCheck_, XCB_ATOM_WINDOW);
    return !fromChild.empty() && fromChild[0] == fromRoot[0];
}

bool XcbWindows::IsManaged(Window window)
{
    auto state = Card32s(window, wmState_, wmState_);
    return !state.empty() && state[0] != kWithdrawnState;
}

X11Windows::Match XcbWindows::Find(long long pid, const std::vector<std::string>& classes)
{
    struct Probe {
        xcb_window_t window;
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_geometry_cookie_t geometry;
        xcb_get_property_cookie_t wmClass;
        xcb_get_property_cookie_t wmPid;
    };
    Match best;
    int bestScore = -1;
    std::vector<xcb_window_t> level{root_};
    std::size_t visited = 0;
    for (int depth = 0; depth < kMaxDepth && !level.empty() && visited < kMaxWindows; ++depth) {
        // Ask for a whole level at once: one round trip per level, not per window.
        std::vector<xcb_query_tree_cookie_t> treeCookies;
        treeCookies.reserve(level.size());
        for (xcb_window_t w : level)
            treeCookies.push_back(xcb_query_tree(c_, w));
        std::vector<xcb_window_t> children;
        for (auto cookie : treeCookies) {
            xcb_generic_error_t* error = nullptr;
            XcbPtr<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c_, cookie, &error));
            std::free(error);
            if (!tree)
                continue;  // vanished meanwhile
            const xcb_window_t* kids = xcb_query_tree_children(tree.get());
            const int count = xcb_query_tree_children_length(tree.get());
            for (int k = 0; k < count && visited + children.size() < kMaxWindows; ++k)
                children.push_back(kids[k]);
        }
        visited += children.size();

        std::vector<Probe> probes;
        probes.reserve(children.size());
        for (xcb_window_t w : children) {
            Probe p{};
            p.window = w;
            p.attributes = xcb_get_window_attributes(c_, w);
            p.geometry = xcb_get_geometry(c_, w);
            p.wmClass = xcb_get_property(c_, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256);
            p.wmPid = xcb_get_property(c_, 0, w, netWmPid_, XCB_ATOM_CARDINAL, 0, 1);
            probes.push_back(p);
        }
        for (const Probe& p : probes) {
            xcb_generic_error_t* error = nullptr;
            XcbPtr<xcb_get_window_attributes_reply_t> attributes(
                xcb_get_window_attributes_reply(c_, p.attributes, &error));
            std::free(error);
            error = nullptr;
            XcbPtr<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c_, p.geometry, &error));
            std::free(error);
            error = nullptr;
            XcbPtr<xcb_get_property_reply_t> wmClass(xcb_get_property_reply(c_, p.wmClass, &error));
            std::free(error);
            error = nullptr;
            XcbPtr<xcb_get_property_reply_t> wmPid(xcb_get_property_reply(c_, p.wmPid, &error));
            std::free(error);
            if (!attributes || !geometry || attributes->override_redirect)
                continue;
            if (geometry->width <= kMinSize || geometry->height <= kMinSize)
                continue;

            bool pidMatch = false;
            if (pid > 0 && wmPid && wmPid->format == 32 && xcb_get_property_value_length(wmPid.get()) >= 4) {
                std::uint32_t value = 0;
                std::memcpy(&value, xcb_get_property_value(wmPid.get()), sizeof value);
                pidMatch = static_cast<long long>(value) == pid;
            }
            std::array<std::string, 2> names;
            if (wmClass && wmClass->format == 8)
                names = ParseWmClass(static_cast<const char*>(xcb_get_property_value(wmClass.get())),
                                     xcb_get_property_value_length(wmClass.get()));
            bool classMatch = false;
            for (const std::string& wanted : classes)
                if ((!names[0].empty() && EqualsNoCase(names[0], wanted)) ||
                    (!names[1].empty() && EqualsNoCase(names[1], wanted)))
                    classMatch = true;
            if (!pidMatch && !classMatch)
                continue;

            const bool viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            const int score = (pidMatch ? 2 : 0) + (viewable ? 1 : 0);
            if (score > bestScore) {
                bestScore = score;
                best.window = p.window;
                best.viewable = viewable;
                best.windowClass = !names[0].empty() ? names[0] : names[1];
            }
        }
        level = std::move(children);
    }
    return best;
}

bool XcbWindows::Exists(Window window, const std::string& windowClass)
{
    if (window == XCB_WINDOW_NONE)
        return false;
    auto reply = Property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 256);
    if (!reply)
        return false;  // BadWindow: it is gone
    if (windowClass.empty())
        return true;
    if (reply->format != 8)
        return false;
    // Window ids are reused after a client leaves; the class tells ours from a newcomer.
    auto names = ParseWmClass(static_cast<const char*>(xcb_get_property_value(reply.get())),
                              xcb_get_property_value_length(reply.get()));
    return EqualsNoCase(names[0], windowClass) || EqualsNoCase(names[1], windowClass);
}

bool XcbWindows::IsMapped(Window window)
{
    xcb_generic_error_t* error = nullptr;
    XcbPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), &error));
    std::free(error);
    return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

void XcbWindows::Map(Window window)
{
    // Mapping also restores an iconified window (ICCCM: Iconic -> Normal).
    Check(xcb_map_window_checked(c_, window));
}

void XcbWindows::Unmap(Window window)
{
    Check(xcb_unmap_window_checked(c_, window));
    if (HasWindowManager()) {
        // ICCCM asks for a synthetic UnmapNotify as well, so that the window manager also
        // withdraws a window that was iconified (and so already unmapped).
        xcb_unmap_notify_event_t event{};
        event.response_type = XCB_UNMAP_NOTIFY;
        event.event = root_;
        event.window = window;
        event.from_configure = 0;
        SendToRoot(&event, sizeof event);
    }
}

void XcbWindows::Activate(Window window)
{
    if (HasWindowManager()) {
        SendClientMessage(window, netActiveWindow_, {kSourcePager, XCB_CURRENT_TIME, 0, 0, 0});
    } else {
        const std::uint32_t stackMode = XCB_STACK_MODE_ABOVE;
        Check(xcb_configure_window_checked(c_, window, XCB_CONFIG_WINDOW_STACK_MODE, &stackMode));
    }
}

void XcbWindows::SetAbove(Window window, bool above)
{
    if (netWmState_ == XCB_ATOM_NONE || netWmStateAbove_ == XCB_ATOM_NONE)
        return;
    if (HasWindowManager() && IsManaged(window)) {
        // A managed window's state belongs to the window manager: ask it.
        SendClientMessage(window, netWmState_, {above ? 1u : 0u, netWmStateAbove_, 0, kSourcePager, 0});
        return;
    }
    // A withdrawn window's state is the client's to set, and the window manager reads it
    // when it takes the window on. Without a window manager nobody else keeps it, so we
    // write it ourselves: stacking then stays as it is, but the state is recorded.
    auto state = Card32s(window, netWmState_, XCB_ATOM_ATOM);
    state.erase(std::remove(state.begin(), state.end(), netWmStateAbove_), state.end());
    if (above)
        state.push_back(netWmStateAbove_);
    Check(xcb_change_property_checked(c_, XCB_PROP_MODE_REPLACE, window, netWmState_, XCB_ATOM_ATOM, 32,
                                      static_cast<std::uint32_t>(state.size()), state.data()));
}

void XcbWindows::SendToRoot(const void* event, std::size_t size)
{
    // SendEvent always copies 32 bytes, and some event structs are shorter.
    std::array<char, 32> buffer{};
    std::memcpy(buffer.data(), event, std::min(size, buffer.size()));
    Check(xcb_send_event_checked(
        c_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY, buffer.data()));
}

void XcbWindows::SendClientMessage(Window window, xcb_atom_t type, std::array<std::uint32_t, 5> data)
{
    if (type == XCB_ATOM_NONE)
        return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    for (std::size_t k = 0; k < data.size(); ++k)
        event.data.data32[k] = data[k];
    SendToRoot(&event, sizeof event);
}

xcb_window_t RootOfScreen(xcb_connection_t* connection, int screenNumber)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    xcb_window_t first = XCB_WINDOW_NONE;
    for (int k = 0; it.rem > 0; xcb_screen_next(&it), ++k) {
        if (first == XCB_WINDOW_NONE)
            first = it.data->root;
        if (k == screenNumber)
            return it.data->root;
    }
    return first;
}

}  // namespace

std::unique_ptr<X11Windows> X11Windows::Open()
{
    // qGuiApp would be a bad cast under a plain QCoreApplication.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // Only on X11 itself: the offscreen platform must stay away from any display that
        // DISPLAY may name, and a Wayland session has no X windows of ours to manage.
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return nullptr;
        auto* native = app->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* connection = native ? native->connection() : nullptr;
        if (!connection || xcb_connection_has_error(connection))
            return nullptr;
        // Qt keeps its screen number to itself; DISPLAY names the same display.
        char* host = nullptr;
        int displayNumber = 0;
        int screenNumber = 0;
        if (!xcb_parse_display(nullptr, &host, &displayNumber, &screenNumber))
            screenNumber = 0;
        std::free(host);
        xcb_window_t root = RootOfScreen(connection, screenNumber);
        if (root == XCB_WINDOW_NONE)
            return nullptr;
        return std::make_unique<XcbWindows>(connection, false, root);
    }
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return nullptr;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_window_t root = RootOfScreen(connection, screenNumber);
    if (root == XCB_WINDOW_NONE) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::make_unique<XcbWindows>(connection, true, root);
}

}  // namespace velmora

#else  // no libxcb: there is never a display to talk to

namespace velmora {

std::unique_ptr<X11Windows> X11Windows::Open()
{
    return nullptr;
}

}  // namespace velmora

#endif
