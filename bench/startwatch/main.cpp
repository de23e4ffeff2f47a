// velmora-startwatch TITLE PROGRAM [ARGS...]: starts the program and prints the milliseconds
// until a window with exactly that title is mapped, until its contents are first drawn on the
// screen, and the program's peak resident memory in KiB 0.3 s later. The X server tells of both
// moments (the map, and the first damage to the window's contents), so measuring takes no
// processor time from the program measured, as asking over and over would.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <map>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto GiveUpAfter = std::chrono::seconds(30);

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

std::string Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr);
    std::string value;
    if (reply)
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    std::free(reply);
    return value;
}

long PeakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

int Fail(const char* why, pid_t pid)
{
    std::fprintf(stderr, "velmora-startwatch: %s\n", why);
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: velmora-startwatch TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return Fail("no X display", 0);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    if (xcb_generic_error_t* error =
            xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        return Fail("cannot watch the root window", 0);
    }
    const xcb_atom_t netName = Atom(c, "_NET_WM_NAME"), utf8 = Atom(c, "UTF8_STRING");
    std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    const xcb_query_extension_reply_t* damageExtension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present)
        return Fail("the X server has no DAMAGE extension", 0);
    const uint8_t damageNotify = damageExtension->first_event + XCB_DAMAGE_NOTIFY;

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    if (pid < 0)
        return Fail("cannot start the program", 0);

    // Every new top-level window is watched for damage from its creation on: the title is
    // known only when it is mapped, and its first drawing may follow at once.
    std::map<xcb_window_t, xcb_damage_damage_t> damages;
    xcb_window_t shownWindow = 0;
    Clock::time_point mappedAt;
    const auto ms = [start](Clock::time_point t) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(t - start).count();
    };
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        if (Clock::now() - start > GiveUpAfter)
            return Fail("no window with that title was drawn", pid);
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return Fail("the program ended before showing its window", -1);
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c))
                return Fail("lost the X display", pid);
            poll(&fd, 1, 50);
            continue;
        }
        const auto now = Clock::now();
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const xcb_window_t window = reinterpret_cast<xcb_create_notify_event_t*>(event)->window;
            const xcb_damage_damage_t damage = xcb_generate_id(c);
            xcb_damage_create(c, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            damages[window] = damage;
            xcb_flush(c);
        } else if (type == XCB_MAP_NOTIFY && !shownWindow) {
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::string name = Property(c, window, netName, utf8);
            if (name.empty())
                name = Property(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
            if (name == title && damages.count(window)) {
                shownWindow = window;
                mappedAt = now;
                // Only drawing from here on counts.
                xcb_damage_subtract(c, damages[window], XCB_NONE, XCB_NONE);
                xcb_flush(c);
            }
        } else if (type == damageNotify && shownWindow &&
                   reinterpret_cast<xcb_damage_notify_event_t*>(event)->drawable == shownWindow) {
            std::free(event);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const long rss = PeakResidentKiB(pid);
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            xcb_disconnect(c);
            std::printf("%ld %ld %ld\n", static_cast<long>(ms(mappedAt)), static_cast<long>(ms(now)), rss);
            return 0;
        }
        std::free(event);
    }
}
