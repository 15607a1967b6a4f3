// Starts a program under the X server of $DISPLAY and reports, from outside the program, when
// its top-level window was mapped and when the window first showed a table with cards on it,
// and the program's resident memory at that moment and two seconds after the map. Any X
// program can be measured this way, so that two programs are timed by the same clock: it
// starts before the fork, and the screen is read back as the X server holds it.
//
//   first_paint_watch [--settle MS] [--timeout MS] [--frames DIR] [--smaps DIR]
//                     -- PROGRAM [ARGS...]
//
// prints one line:
//   map M ms, table T ms, resident R MB at the table, S MB at map + 2 s, CPU C ms to the table
// (times from the fork; C is the processor time of all the program's threads, which the load
// of other work disturbs less). The program is ended (SIGTERM) once the later memory figure is read.
//
// The screen is read each time the X server reports drawing (the DAMAGE extension on the root
// window), so nothing is polled while the program works. The window counts as showing its
// table when, in its middle band (below menus and tool bars, above a status bar), at least a
// quarter of the pixels are the table's green and at least 1% are the white of a card face.
// With --frames every picture read is written to DIR as a PPM file named by its time (the whole
// window read, which slows the watch); with --smaps the program's /proc/PID/smaps at the two
// moments goes to DIR/table.smaps and DIR/later.smaps.

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <dirent.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/uio.h>
#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The DAMAGE extension's requests, sent raw (its client library is not needed).
xcb_extension_t damageExtension = {"DAMAGE", 0};
constexpr std::uint8_t kDamageQueryVersion = 0;
constexpr std::uint8_t kDamageCreate = 1;
constexpr std::uint8_t kDamageLevelRawRectangles = 0;

struct DamageQueryVersionRequest {
    std::uint8_t major = 0, minor = 0;
    std::uint16_t length = 0;
    std::uint32_t clientMajor = 1, clientMinor = 1;
};
struct DamageCreateRequest {
    std::uint8_t major = 0, minor = 0;
    std::uint16_t length = 0;
    std::uint32_t damage = 0, drawable = 0;
    std::uint8_t level = kDamageLevelRawRectangles;
    std::uint8_t pad[3] = {};
};

template <typename Request>
unsigned SendDamageRequest(xcb_connection_t* c, std::uint8_t opcode, Request& request, bool isVoid) {
    const xcb_protocol_request_t info = {1, &damageExtension, opcode, isVoid ? std::uint8_t{1}
                                                                              : std::uint8_t{0}};
    iovec parts[4] = {};
    parts[2].iov_base = &request;
    parts[2].iov_len = sizeof(Request);
    parts[3].iov_base = nullptr;
    parts[3].iov_len = (-sizeof(Request)) & 3;
    return xcb_send_request(c, isVoid ? 0 : XCB_REQUEST_CHECKED, parts + 2, &info);
}

// Watches all drawing on the screen; returns the first event code of DAMAGE, or -1.
int WatchDamage(xcb_connection_t* c, xcb_window_t root) {
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &damageExtension);
    if (!ext || !ext->present) return -1;
    DamageQueryVersionRequest version;
    const unsigned sequence = SendDamageRequest(c, kDamageQueryVersion, version, false);
    xcb_generic_error_t* error = nullptr;
    void* reply = xcb_wait_for_reply(c, sequence, &error);
    std::free(reply);
    if (error) {
        std::free(error);
        return -1;
    }
    DamageCreateRequest create;
    create.damage = xcb_generate_id(c);
    create.drawable = root;
    SendDamageRequest(c, kDamageCreate, create, true);
    xcb_flush(c);
    return ext->first_event;
}

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double ResidentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

// The processor time all the program's threads have used so far, in milliseconds (the
// scheduler's nanoseconds, summed over /proc/PID/task/*/schedstat); -1 when unknown.
double CpuMilliseconds(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir) return -1;
    double ns = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
        double onCpu = 0;
        if (stat >> onCpu) ns += onCpu;
    }
    closedir(dir);
    return ns / 1e6;
}

struct Window {
    xcb_window_t id = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

// The band of a window that holds the table: below menus and tool bars, above a status bar.
int BandTop(int height) { return height / 5; }
int BandBottom(int height) { return height * 9 / 10; }

// The smallest window that can hold a table.
constexpr int kMinSide = 200;

// The rows read in that band, and the rows Measure counts.
constexpr int kRowStep = 6;

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bgrx;
};

// The window's rectangle as the root window shows it (24-bit screens: 4 bytes a pixel): every
// row, or with `step` above 1 every step-th row of the band that Measure looks at (many small
// requests sent at once, so that reading the screen costs the server little).
bool ReadScreen(xcb_connection_t* c, xcb_window_t root, const Window& w, int step, Picture& out) {
    out.width = w.width;
    out.height = w.height;
    out.bgrx.assign(static_cast<std::size_t>(w.width) * w.height * 4, 0);
    const int top = step > 1 ? BandTop(w.height) : 0;
    const int bottom = step > 1 ? BandBottom(w.height) : w.height;
    const int rows = step > 1 ? 1 : w.height;
    std::vector<std::pair<int, xcb_get_image_cookie_t>> cookies;
    for (int y = top; y < bottom; y += step > 1 ? step : w.height)
        cookies.emplace_back(
            y, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(w.x),
                             static_cast<std::int16_t>(w.y + y),
                             static_cast<std::uint16_t>(w.width), static_cast<std::uint16_t>(rows),
                             ~0u));
    bool ok = true;
    for (const auto& [y, cookie] : cookies) {
        xcb_get_image_reply_t* reply = xcb_get_image_reply(c, cookie, nullptr);
        if (!reply) {
            ok = false;
            continue;
        }
        const std::size_t bytes = static_cast<std::size_t>(w.width) * rows * 4;
        if (reply->depth >= 24 && static_cast<std::size_t>(xcb_get_image_data_length(reply)) >= bytes)
            std::memcpy(&out.bgrx[static_cast<std::size_t>(y) * w.width * 4],
                        xcb_get_image_data(reply), bytes);
        else
            ok = false;
        std::free(reply);
    }
    return ok;
}

struct Shares {
    double green = 0, white = 0;
};

// The shares of table green and card white in the middle band of the picture.
Shares Measure(const Picture& p) {
    long green = 0, white = 0, all = 0;
    for (int y = BandTop(p.height); y < BandBottom(p.height); y += kRowStep)
        for (int x = 0; x < p.width; x += 2) {
            const std::uint8_t* px = &p.bgrx[(static_cast<std::size_t>(y) * p.width + x) * 4];
            const int b = px[0], g = px[1], r = px[2];
            ++all;
            if (g >= 60 && g > r + 30 && g > b + 30) ++green;
            if (r >= 248 && g >= 248 && b >= 248) ++white;
        }
    if (all == 0) return {};
    return {static_cast<double>(green) / all, static_cast<double>(white) / all};
}

// Copies /proc/PID/smaps (where the memory goes) to DIR/NAME.
void CopySmaps(pid_t pid, const std::string& dir, const char* name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps");
    std::ofstream out(dir + "/" + name);
    out << in.rdbuf();
}

void WritePpm(const std::string& dir, double ms, const Picture& p) {
    char name[64];
    std::snprintf(name, sizeof name, "/%08.1f.ppm", ms);
    std::ofstream out(dir + name, std::ios::binary);
    out << "P6\n" << p.width << ' ' << p.height << "\n255\n";
    for (std::size_t i = 0; i < p.bgrx.size(); i += 4) {
        const char rgb[3] = {static_cast<char>(p.bgrx[i + 2]), static_cast<char>(p.bgrx[i + 1]),
                             static_cast<char>(p.bgrx[i])};
        out.write(rgb, 3);
    }
}

int Usage() {
    std::fprintf(stderr, "usage: first_paint_watch [--settle MS] [--timeout MS] [--frames DIR] "
                         "[--smaps DIR] -- PROGRAM [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    double settleMs = 2000, timeoutMs = 15000;
    std::string frames, smaps;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--") {
            ++first;
            break;
        }
        if (first + 1 >= argc) return Usage();
        if (arg == "--settle")
            settleMs = std::atof(argv[++first]);
        else if (arg == "--timeout")
            timeoutMs = std::atof(argv[++first]);
        else if (arg == "--frames")
            frames = argv[++first];
        else if (arg == "--smaps")
            smaps = argv[++first];
        else
            return Usage();
    }
    if (first >= argc) return Usage();

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "first_paint_watch: no X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const int damageEvent = WatchDamage(c, root);
    if (damageEvent < 0) {
        std::fprintf(stderr, "first_paint_watch: the X server has no DAMAGE extension\n");
        return 1;
    }
    xcb_discard_reply(c, xcb_get_input_focus(c).sequence);
    xcb_flush(c);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        execvp(argv[first], argv + first);
        std::fprintf(stderr, "first_paint_watch: cannot run %s: %s\n", argv[first],
                     std::strerror(errno));
        _exit(127);
    }

    Window window;
    struct Mapped {
        Window window;
        double at;
    };
    std::vector<Mapped> mapped;
    double mapMs = -1, tableMs = -1, tableMb = -1, laterMb = -1, tableCpuMs = -1;
    bool dirty = false;
    Picture picture;
    const int fd = xcb_get_file_descriptor(c);
    while (Since(start) < timeoutMs) {
        if (mapMs >= 0 && Since(start) >= mapMs + settleMs) {
            laterMb = ResidentMegabytes(pid);
            if (!smaps.empty()) CopySmaps(pid, smaps, "later.smaps");
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "first_paint_watch: the program ended\n");
            return 1;
        }
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            if (dirty && window.id && tableMs < 0) {
                // Everything the server has reported so far is drawn: read the screen once.
                dirty = false;
                // The memory first: the program goes on once it has drawn.
                const double residentMb = ResidentMegabytes(pid);
                const double cpuMs = CpuMilliseconds(pid);
                if (ReadScreen(c, root, window, frames.empty() ? kRowStep : 1, picture)) {
                    const double now = Since(start);
                    const Shares shares = Measure(picture);
                    if (!frames.empty()) WritePpm(frames, now, picture);
                    if (shares.green >= 0.25 && shares.white >= 0.01) {
                        tableMs = now;
                        tableMb = residentMb;
                        tableCpuMs = cpuMs;
                        if (!smaps.empty()) CopySmaps(pid, smaps, "table.smaps");
                    }
                }
                continue;
            }
            pollfd wait = {fd, POLLIN, 0};
            poll(&wait, 1, 20);
            continue;
        }
        const int type = event->response_type & 0x7f;
        // The program's top-level window is the first one mapped that is big enough for a
        // table (it may be made so only after it is mapped).
        const auto choose = [&](const Window& w, double mappedAt) {
            if (window.id || w.width < kMinSide || w.height < kMinSide) return;
            window = w;
            mapMs = mappedAt;
            dirty = true;
        };
        if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            xcb_get_geometry_reply_t* g =
                xcb_get_geometry_reply(c, xcb_get_geometry(c, map->window), nullptr);
            if (g && !map->override_redirect) {
                const Mapped w = {{map->window, g->x, g->y, g->width, g->height}, Since(start)};
                mapped.push_back(w);
                choose(w.window, w.at);
            }
            std::free(g);
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            const auto* conf = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            for (Mapped& m : mapped)
                if (m.window.id == conf->window) {
                    m.window = {conf->window, conf->x, conf->y, conf->width, conf->height};
                    if (window.id == conf->window) {
                        window = m.window;
                        dirty = true;
                    }
                    choose(m.window, m.at);
                }
        } else if (type == damageEvent) {
            dirty = true;
        }
        std::free(event);
    }
    kill(pid, SIGTERM);
    for (int i = 0; i < 100 && waitpid(pid, nullptr, WNOHANG) == 0; ++i)
        usleep(10000);
    if (waitpid(pid, nullptr, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    xcb_disconnect(c);
    if (mapMs < 0 || tableMs < 0) {
        std::fprintf(stderr, "first_paint_watch: %s\n",
                     mapMs < 0 ? "no window was mapped" : "no table was seen");
        return 1;
    }
    std::printf("map %.1f ms, table %.1f ms, resident %.1f MB at the table, %.1f MB at map + "
                "%.0f s, CPU %.1f ms to the table\n",
                mapMs, tableMs, tableMb, laterMb, settleMs / 1000.0, tableCpuMs);
    return 0;
}
