// Measures a program's start-up from outside, as a user sees it: starts it, waits for the
// window with the given title to be mapped on the X display (a display without a window
// manager, so the program's own window is a child of the root), then for the program to use
// no CPU for 100 ms (its CPU clock, to the nanosecond). Prints, tab-separated: ms to mapped, ms to
// settled, peak RSS at mapping (KiB), peak RSS when settled (KiB).
//   tocklet_startup_probe TITLE PROGRAM [ARG...]
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The CPU time the process has used so far, all its threads (ended ones too), in nanoseconds.
// /proc/PID/stat counts it in 10 ms ticks, too coarse for a start-up of tens of milliseconds.
long long cpuNs(clockid_t cpuClock)
{
    timespec ts{};
    if (clock_gettime(cpuClock, &ts) != 0)
        return -1;
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

long peakRssKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

std::string windowTitle(xcb_connection_t *c, xcb_window_t window)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, nullptr);
    if (!reply)
        return {};
    const std::string title(static_cast<const char *>(xcb_get_property_value(reply)),
                            std::size_t(xcb_get_property_value_length(reply)));
    std::free(reply);
    return title;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARG...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    double mapped = -1;
    long rssAtMap = -1;
    while (xcb_generic_event_t *event = xcb_wait_for_event(c)) {
        const bool isMap = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const xcb_window_t window =
            isMap ? reinterpret_cast<xcb_map_notify_event_t *>(event)->window : 0;
        std::free(event);
        if (isMap && windowTitle(c, window) == argv[1]) {
            mapped = msSince(start);
            rssAtMap = peakRssKiB(pid);
            break;
        }
    }

    // Settled: no CPU time used for 100 ms, looked at every millisecond.
    clockid_t cpuClock{};
    const bool clockRead = clock_getcpuclockid(pid, &cpuClock) == 0;
    if (!clockRead)
        std::fprintf(stderr, "no CPU clock for process %d\n", int(pid));
    long long used = clockRead ? cpuNs(cpuClock) : -1;
    Clock::time_point quietSince = Clock::now();
    double settled = -1;
    while (clockRead && settled < 0 && msSince(start) < 30000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const long long now = cpuNs(cpuClock);
        if (now < 0) // the process is gone
            break;
        if (now != used) {
            used = now;
            quietSince = Clock::now();
        } else if (msSince(quietSince) >= 100) {
            settled = std::chrono::duration<double, std::milli>(quietSince - start).count();
        }
    }
    const long rssSettled = peakRssKiB(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(c);
    std::printf("%.1f\t%.1f\t%ld\t%ld\n", mapped, settled, rssAtMap, rssSettled);
    return mapped < 0 || settled < 0 ? 1 : 0;
}
