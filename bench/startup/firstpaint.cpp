// Starts a program under the current X display, which must have no window
// manager, and reports how long it took until its window (the first one whose
// title begins with a given prefix) was first painted, taken from the X
// server's damage events; then how much memory and processor time it had used
// once settled.
//
//   startup_firstpaint [--key-opens-window LETTER] TITLE_PREFIX SETTLE_MS -- PROGRAM [ARGS...]
//
// Prints one line: first paint (ms), peak resident memory (KiB), user + system
// time (ms), threads at the end; tab-separated. Exits 1 when the window is
// never painted within the time limit.
// --key-opens-window: once the window has painted, it gets the keyboard focus
// and Alt+LETTER is typed, as a keyboard does (XTEST); a fifth column gives
// the time from exec to the mapping of the window that key opens, that is
// when the program answered the key, or -1 when it never did.
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <unordered_set>

namespace {

constexpr int kLimitMs = 20000;
// A program that paints and then freezes is given this long to answer a key.
constexpr int kAnswerLimitMs = 120000;

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = r != nullptr ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return atom;
}

std::string Title(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8) {
    for (const auto& [prop, type] : {std::pair{netName, utf8}, std::pair{xcb_atom_t{XCB_ATOM_WM_NAME}, xcb_atom_t{XCB_ATOM_ANY}}}) {
        xcb_get_property_reply_t* r =
            xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, type, 0, 256), nullptr);
        std::string title;
        if (r != nullptr && xcb_get_property_value_length(r) > 0) {
            title.assign(static_cast<const char*>(xcb_get_property_value(r)),
                         static_cast<std::size_t>(xcb_get_property_value_length(r)));
        }
        std::free(r);
        if (!title.empty()) {
            return title;
        }
    }
    return {};
}

// The first key code that gives keysym, or 0.
xcb_keycode_t KeyCode(xcb_connection_t* c, uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* r = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
    xcb_keycode_t found = 0;
    if (r != nullptr) {
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(r);
        for (int i = 0; found == 0 && i < count * r->keysyms_per_keycode; ++i) {
            if (syms[i] == keysym) {
                found = static_cast<xcb_keycode_t>(setup->min_keycode + i / r->keysyms_per_keycode);
            }
        }
    }
    std::free(r);
    return found;
}

// Focuses window and types Alt+letter; false when the keyboard has no such keys.
bool TypeAltKey(xcb_connection_t* c, xcb_window_t window, char letter) {
    const xcb_keycode_t alt = KeyCode(c, 0xffe9);   // Alt_L
    const xcb_keycode_t key = KeyCode(c, static_cast<unsigned char>(letter));
    if (alt == 0 || key == 0) {
        return false;
    }
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    for (const auto& [type, code] : {std::pair{XCB_KEY_PRESS, alt}, std::pair{XCB_KEY_PRESS, key},
                                     std::pair{XCB_KEY_RELEASE, key}, std::pair{XCB_KEY_RELEASE, alt}}) {
        xcb_test_fake_input(c, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    }
    xcb_flush(c);
    return true;
}

int Threads(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Threads:", 0) == 0) {
            return std::atoi(line.c_str() + 8);
        }
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    char keyLetter = 0;
    if (argc > 2 && std::strcmp(argv[1], "--key-opens-window") == 0) {
        keyLetter = argv[2][0];
        argc -= 2;
        argv += 2;
    }
    if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "usage: %s [--key-opens-window LETTER] TITLE_PREFIX SETTLE_MS -- PROGRAM [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    const std::string prefix = argv[1];
    const int settleMs = std::atoi(argv[2]);

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (ext == nullptr || !ext->present) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }
    std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    const xcb_atom_t netName = Atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;

    // Like a window manager, we are asked before a top-level window is
    // mapped: we start watching it, then map it, so that no paint can come
    // before the watch however busy the machine. Requests to move or size a
    // window are granted as asked.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    xcb_generic_error_t* refused =
        xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    if (refused != nullptr) {
        std::free(refused);
        std::fprintf(stderr, "another window manager runs on this display\n");
        return 2;
    }

    const double start = NowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program's own chatter would only get in the way of the result.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    if (pid < 0) {
        std::perror("fork");
        return 2;
    }

    std::unordered_set<xcb_window_t> watched;
    double painted = -1;
    double answered = -1;
    bool keyTyped = false;
    bool ended = false;
    int status = 0;
    rusage usage{};
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    const auto waiting = [&] {
        if (painted < 0) {
            return NowMs() - start < kLimitMs;
        }
        return keyTyped && answered < 0 && NowMs() - start < kAnswerLimitMs;
    };
    while (waiting()) {
        xcb_generic_event_t* ev = xcb_poll_for_event(c);
        if (ev == nullptr) {
            if (xcb_connection_has_error(c)) {
                break;
            }
            if (wait4(pid, &status, WNOHANG, &usage) == pid) {
                ended = true;   // it will never paint now
                break;
            }
            poll(&pfd, 1, 50);
            continue;
        }
        const uint8_t type = ev->response_type & 0x7f;
        if (type == XCB_MAP_REQUEST) {
            const auto* e = reinterpret_cast<xcb_map_request_event_t*>(ev);
            if (keyTyped && answered < 0 && watched.count(e->window) == 0) {
                answered = NowMs() - start;
            }
            if (watched.insert(e->window).second) {
                xcb_damage_create(c, xcb_generate_id(c), e->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            }
            xcb_map_window(c, e->window);
            xcb_flush(c);
        } else if (type == XCB_CONFIGURE_REQUEST) {
            const auto* e = reinterpret_cast<xcb_configure_request_event_t*>(ev);
            uint32_t values[7];
            int n = 0;
            const std::pair<uint16_t, uint32_t> fields[] = {
                {XCB_CONFIG_WINDOW_X, static_cast<uint32_t>(e->x)},
                {XCB_CONFIG_WINDOW_Y, static_cast<uint32_t>(e->y)},
                {XCB_CONFIG_WINDOW_WIDTH, e->width},
                {XCB_CONFIG_WINDOW_HEIGHT, e->height},
                {XCB_CONFIG_WINDOW_BORDER_WIDTH, e->border_width},
                {XCB_CONFIG_WINDOW_SIBLING, e->sibling},
                {XCB_CONFIG_WINDOW_STACK_MODE, e->stack_mode}};
            for (const auto& [bit, value] : fields) {
                if ((e->value_mask & bit) != 0) {
                    values[n++] = value;
                }
            }
            xcb_configure_window(c, e->window, e->value_mask, values);
            xcb_flush(c);
        } else if (type == ext->first_event + XCB_DAMAGE_NOTIFY) {
            const double at = NowMs();
            const auto* e = reinterpret_cast<xcb_damage_notify_event_t*>(ev);
            if (painted < 0 && watched.count(e->drawable) != 0 &&
                Title(c, e->drawable, netName, utf8).rfind(prefix, 0) == 0) {
                painted = at - start;
                keyTyped = keyLetter != 0 && TypeAltKey(c, e->drawable, keyLetter);
            }
        }
        std::free(ev);
    }

    if (painted >= 0) {
        usleep(static_cast<useconds_t>(settleMs) * 1000);
    }
    const int threads = ended ? 0 : Threads(pid);
    if (!ended) {
        kill(pid, SIGKILL);
        wait4(pid, &status, 0, &usage);
    }
    xcb_disconnect(c);
    if (painted < 0) {
        std::fprintf(stderr, "no window titled \"%s...\" was painted\n", prefix.c_str());
        return 1;
    }
    const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    std::printf("%.2f\t%ld\t%.1f\t%d", painted, usage.ru_maxrss, cpuMs, threads);
    if (keyLetter != 0) {
        std::printf("\t%.2f", answered);
    }
    std::printf("\n");
    return 0;
}
