#pragma once
// X11 helpers for the calculator tests: a view of the display, a tiny window manager that
// records what it is asked, and process helpers.
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QtTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace velmora::testing {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeDeleter>;

// /proc/PID/stat says the process runs and is no zombie.
inline bool ProcessRuns(long long pid)
{
    if (pid <= 0)
        return false;
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return false;
    const QByteArray state = text.mid(close + 1).simplified().split(' ').value(0);
    return !state.isEmpty() && state != "Z" && state != "X";
}

// Terminates a process and waits up to 5 s until it is gone.
inline void EndProcess(long long pid)
{
    if (!ProcessRuns(pid))
        return;
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    QElapsedTimer clock;
    clock.start();
    while (ProcessRuns(pid) && clock.elapsed() < 5000)
        QTest::qWait(20);
    if (ProcessRuns(pid))
        ::kill(static_cast<pid_t>(pid), SIGKILL);
}

// Opens a connection of the test's own to the display and finds its root window.
inline bool ConnectToDisplay(xcb_connection_t*& connection, xcb_window_t& root)
{
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection))
        return false;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int k = 0; k < screenNumber && it.rem > 0; ++k)
        xcb_screen_next(&it);
    root = it.data->root;
    return true;
}

// The test's own view of the display.
class XView {
public:
    bool Open()
    {
        if (!ConnectToDisplay(c_, root_))
            return false;
        return true;
    }
    ~XView()
    {
        if (c_)
            xcb_disconnect(c_);
    }

    xcb_connection_t* Connection() const { return c_; }
    xcb_window_t Root() const { return root_; }

    xcb_atom_t Atom(const char* name)
    {
        XcbPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    // XCB_MAP_STATE_UNMAPPED / _UNVIEWABLE / _VIEWABLE; -1 when the window does not exist.
    int MapState(xcb_window_t w)
    {
        xcb_generic_error_t* error = nullptr;
        XcbPtr<xcb_get_window_attributes_reply_t> reply(
            xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), &error));
        std::free(error);
        return reply ? reply->map_state : -1;
    }

    std::vector<uint32_t> Card32s(xcb_window_t w, xcb_atom_t property, xcb_atom_t type)
    {
        xcb_generic_error_t* error = nullptr;
        XcbPtr<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, property, type, 0, 1024), &error));
        std::free(error);
        std::vector<uint32_t> values;
        if (!reply || reply->format != 32)
            return values;
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
        values.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
        return values;
    }

    std::string WmClassInstance(xcb_window_t w)
    {
        xcb_generic_error_t* error = nullptr;
        XcbPtr<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), &error));
        std::free(error);
        if (!reply || reply->format != 8)
            return {};
        const char* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
        const int length = xcb_get_property_value_length(reply.get());
        return std::string(data, static_cast<std::size_t>(qstrnlen(data, static_cast<uint>(length))));
    }

    long long WindowPid(xcb_window_t w)
    {
        auto values = Card32s(w, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL);
        return values.empty() ? 0 : values[0];
    }

    bool StateHasAbove(xcb_window_t w)
    {
        const xcb_atom_t above = Atom("_NET_WM_STATE_ABOVE");
        for (uint32_t atom : Card32s(w, Atom("_NET_WM_STATE"), XCB_ATOM_ATOM))
            if (atom == above)
                return true;
        return false;
    }

    // galculator's main windows anywhere in the tree (not its small leader window).
    std::vector<xcb_window_t> CalculatorWindows()
    {
        std::vector<xcb_window_t> found;
        std::vector<xcb_window_t> level{root_};
        for (int depth = 0; depth < 4 && !level.empty(); ++depth) {
            std::vector<xcb_window_t> next;
            for (xcb_window_t parent : level)
                for (xcb_window_t w : Children(parent)) {
                    next.push_back(w);
                    xcb_generic_error_t* error = nullptr;
                    XcbPtr<xcb_get_geometry_reply_t> geometry(
                        xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), &error));
                    std::free(error);
                    if (geometry && geometry->width > 20 && geometry->height > 20 && WmClassInstance(w) == "galculator")
                        found.push_back(w);
                }
            level = std::move(next);
        }
        return found;
    }

    // Bottom to top.
    std::vector<xcb_window_t> Children(xcb_window_t parent)
    {
        xcb_generic_error_t* error = nullptr;
        XcbPtr<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c_, xcb_query_tree(c_, parent), &error));
        std::free(error);
        if (!tree)
            return {};
        const xcb_window_t* kids = xcb_query_tree_children(tree.get());
        return std::vector<xcb_window_t>(kids, kids + xcb_query_tree_children_length(tree.get()));
    }

    int StackIndex(xcb_window_t w)
    {
        const auto order = Children(root_);
        for (std::size_t k = 0; k < order.size(); ++k)
            if (order[k] == w)
                return static_cast<int>(k);
        return -1;
    }

private:
    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
};

// A minimal EWMH window manager that does what the real ones do with the requests the
// calculator sends, and records the client messages it receives.
class FakeWindowManager {
public:
    struct Message {
        xcb_window_t window;
        xcb_atom_t type;
        uint32_t data[5];
    };

    // False when another window manager holds the root already.
    bool Start()
    {
        if (!ConnectToDisplay(c_, root_))
            return false;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        if (xcb_generic_error_t* error =
                xcb_request_check(c_, xcb_change_window_attributes_checked(c_, root_, XCB_CW_EVENT_MASK, &mask))) {
            std::free(error);
            return false;
        }
        wmState_ = Atom("WM_STATE");
        netWmState_ = Atom("_NET_WM_STATE");
        check_ = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, check_, root_, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        const xcb_atom_t supportingCheck = Atom("_NET_SUPPORTING_WM_CHECK");
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, check_, supportingCheck, XCB_ATOM_WINDOW, 32, 1, &check_);
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, root_, supportingCheck, XCB_ATOM_WINDOW, 32, 1, &check_);
        xcb_flush(c_);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Pump(); });
        timer_.start(5);
        return true;
    }

    ~FakeWindowManager()
    {
        if (!c_)
            return;
        timer_.stop();
        if (check_ != XCB_WINDOW_NONE) {
            xcb_delete_property(c_, root_, Atom("_NET_SUPPORTING_WM_CHECK"));
            xcb_destroy_window(c_, check_);
        }
        xcb_flush(c_);
        xcb_disconnect(c_);
    }

    xcb_atom_t Atom(const char* name)
    {
        XcbPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    bool Manages(xcb_window_t w) const { return managed_.count(w) != 0; }
    const std::vector<Message>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }

    int Count(xcb_atom_t type, xcb_window_t w) const
    {
        int n = 0;
        for (const Message& m : messages_)
            n += m.type == type && m.window == w;
        return n;
    }

    // The _NET_WM_STATE requests for w that name atom (galculator sends some of its own).
    std::vector<Message> StateRequests(xcb_window_t w, xcb_atom_t atom) const
    {
        std::vector<Message> found;
        for (const Message& m : messages_)
            if (m.type == netWmState_ && m.window == w && (m.data[1] == atom || m.data[2] == atom))
                found.push_back(m);
        return found;
    }

private:
    void Pump()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
            Handle(event);
            std::free(event);
        }
        xcb_flush(c_);
    }

    void Handle(xcb_generic_event_t* event)
    {
        switch (event->response_type & 0x7f) {
            case XCB_MAP_REQUEST: {
                const auto* e = reinterpret_cast<xcb_map_request_event_t*>(event);
                const uint32_t normal[2] = {1, XCB_WINDOW_NONE};  // ICCCM NormalState
                xcb_change_property(c_, XCB_PROP_MODE_REPLACE, e->window, wmState_, wmState_, 32, 2, normal);
                xcb_map_window(c_, e->window);
                managed_.insert(e->window);
                break;
            }
            case XCB_CONFIGURE_REQUEST: {
                const auto* e = reinterpret_cast<xcb_configure_request_event_t*>(event);
                std::vector<uint32_t> values;
                const uint16_t mask = e->value_mask;
                if (mask & XCB_CONFIG_WINDOW_X)
                    values.push_back(static_cast<uint32_t>(static_cast<int32_t>(e->x)));
                if (mask & XCB_CONFIG_WINDOW_Y)
                    values.push_back(static_cast<uint32_t>(static_cast<int32_t>(e->y)));
                if (mask & XCB_CONFIG_WINDOW_WIDTH)
                    values.push_back(e->width);
                if (mask & XCB_CONFIG_WINDOW_HEIGHT)
                    values.push_back(e->height);
                if (mask & XCB_CONFIG_WINDOW_BORDER_WIDTH)
                    values.push_back(e->border_width);
                if (mask & XCB_CONFIG_WINDOW_SIBLING)
                    values.push_back(e->sibling);
                if (mask & XCB_CONFIG_WINDOW_STACK_MODE)
                    values.push_back(e->stack_mode);
                xcb_configure_window(c_, e->window, mask, values.data());
                break;
            }
            case XCB_UNMAP_NOTIFY: {
                // A client unmapping its window (or saying so with a synthetic event) withdraws
                // it; EWMH has the manager drop its _NET_WM_STATE then.
                const auto* e = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
                if (managed_.erase(e->window)) {
                    xcb_delete_property(c_, e->window, wmState_);
                    xcb_delete_property(c_, e->window, netWmState_);
                }
                break;
            }
            case XCB_DESTROY_NOTIFY:
                managed_.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
                break;
            case XCB_CLIENT_MESSAGE: {
                const auto* e = reinterpret_cast<xcb_client_message_event_t*>(event);
                Message m{e->window, e->type, {}};
                std::memcpy(m.data, e->data.data32, sizeof m.data);
                messages_.push_back(m);
                if (e->type == netWmState_ && Manages(e->window))
                    ChangeState(e->window, m.data);
                break;
            }
            default:
                break;
        }
    }

    void ChangeState(xcb_window_t w, const uint32_t data[5])
    {
        XcbPtr<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, netWmState_, XCB_ATOM_ATOM, 0, 1024), nullptr));
        std::vector<uint32_t> state;
        if (reply && reply->format == 32) {
            const auto* atoms = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
            state.assign(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4);
        }
        for (int k = 1; k <= 2; ++k) {
            const uint32_t atom = data[k];
            if (atom == XCB_ATOM_NONE)
                continue;
            const bool has = std::find(state.begin(), state.end(), atom) != state.end();
            const bool want = data[0] == 1 || (data[0] == 2 && !has);
            if (want && !has)
                state.push_back(atom);
            if (!want)
                state.erase(std::remove(state.begin(), state.end(), atom), state.end());
        }
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, netWmState_, XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(state.size()), state.data());
    }

    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_window_t check_ = XCB_WINDOW_NONE;
    xcb_atom_t wmState_ = XCB_ATOM_NONE;
    xcb_atom_t netWmState_ = XCB_ATOM_NONE;
    std::set<xcb_window_t> managed_;
    std::vector<Message> messages_;
    QTimer timer_;
};

// A stand-in "galculator" shell script in dir.
inline bool WriteProgram(const QString& dir, const QByteArray& body)
{
    QFile script(dir + QStringLiteral("/galculator"));
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write("#!/bin/sh\n" + body + "\n");
    script.close();
    return script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace velmora::testing
