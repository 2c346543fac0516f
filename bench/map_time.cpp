// Time from starting a window program to its first top-level window mapped
// on the X server of $DISPLAY, for two programs started in turn (as
// bench/ratio.py runs commands), then ended. Prints the two medians in
// seconds.
//   usage: bench_map_time RUNS -- COMMAND_A ... -- COMMAND_B ...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

xcb_connection_t* g_connection = nullptr;
xcb_window_t g_root = 0;

// Seconds until the program's first window maps; negative when it ends or
// maps nothing within a minute.
double TimeToMap(const std::vector<char*>& command)
{
    // Events left from the last run (its windows going away) do not count.
    while (xcb_generic_event_t* event = xcb_poll_for_event(g_connection))
        std::free(event);
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command.data());
        std::perror(command[0]);
        _exit(127);
    }
    double seconds = -1;
    pollfd watch{xcb_get_file_descriptor(g_connection), POLLIN, 0};
    while (seconds < 0 && Clock::now() - start < std::chrono::seconds(60)) {
        xcb_generic_event_t* event = xcb_poll_for_event(g_connection);
        if (!event) {
            if (waitpid(child, nullptr, WNOHANG) == child)
                return -1;
            poll(&watch, 1, 100);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (map->event == g_root && !map->override_redirect)
                seconds = std::chrono::duration<double>(Clock::now() - start).count();
        }
        std::free(event);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> a, b;
    std::vector<char*>* side = nullptr;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0 && side != &b) {
            side = side ? &b : &a;
            continue;
        }
        if (side)
            side->push_back(argv[i]);
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
    if (runs < 1 || a.empty() || b.empty()) {
        std::fprintf(stderr, "usage: bench_map_time RUNS -- COMMAND_A ... -- COMMAND_B ...\n");
        return 2;
    }
    a.push_back(nullptr);
    b.push_back(nullptr);
    g_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(g_connection)) {
        std::fprintf(stderr, "bench_map_time: cannot connect to the X server\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(g_connection)).data;
    g_root = screen->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(g_connection, g_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(g_connection);

    std::vector<double> timesA, timesB;
    // The first of each warms the caches.
    for (int i = -1; i < runs; ++i) {
        const double ta = TimeToMap(a);
        const double tb = TimeToMap(b);
        if (ta < 0 || tb < 0) {
            std::fprintf(stderr, "bench_map_time: %s mapped no window\n", ta < 0 ? a[0] : b[0]);
            return 1;
        }
        if (i >= 0) {
            timesA.push_back(ta);
            timesB.push_back(tb);
        }
    }
    std::printf("%.6f %.6f\n", Median(timesA), Median(timesB));
    xcb_disconnect(g_connection);
    return 0;
}
