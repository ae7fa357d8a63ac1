#include "x_windows.h"

#include "platform/process.h"
#include "support/test_files.h"

#include <X11/Xlib.h>
#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

namespace kalveo::testing {

namespace {

int field(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    if (at == std::string::npos) return -1;
    return std::atoi(text.c_str() + at + label.size());
}

std::optional<XWindow> window_of(const std::string& display, const std::string& id) {
    std::string info;
    if (run_program_capture({"xwininfo", "-display", display, "-id", id}, info) != 0)
        return std::nullopt;
    XWindow w;
    w.id = std::stoul(id);
    w.x = field(info, "Absolute upper-left X:");
    w.y = field(info, "Absolute upper-left Y:");
    w.width = field(info, "Width:");
    w.height = field(info, "Height:");
    return w;
}

} // namespace

std::optional<XWindow> find_window(const std::string& display, const std::string& title,
                                   double seconds) {
    ScopedEnv env("DISPLAY", display);
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
        std::string ids;
        if (run_program_capture({"xdotool", "search", "--name", "^" + title + "$"}, ids) == 0) {
            std::istringstream in(ids);
            std::string id;
            if (in >> id) return window_of(display, id);
        }
        if (std::chrono::steady_clock::now() >= until) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::vector<XWindow> find_windows(const std::string& display, const std::string& title) {
    ScopedEnv env("DISPLAY", display);
    std::vector<XWindow> found;
    std::string ids;
    if (run_program_capture({"xdotool", "search", "--name", "^" + title + "$"}, ids) != 0)
        return found;
    std::istringstream in(ids);
    for (std::string id; in >> id;)
        if (const auto w = window_of(display, id)) found.push_back(*w);
    std::sort(found.begin(), found.end(),
              [](const XWindow& a, const XWindow& b) { return a.y < b.y; });
    return found;
}

bool type_key(const std::string& display, unsigned long window, const std::string& key) {
    ScopedEnv env("DISPLAY", display);
    const std::string id = std::to_string(window);
    return run_program({"xdotool", "windowfocus", "--sync", id}) == 0 &&
           run_program({"xdotool", "key", key}) == 0;
}

bool request_close(const std::string& display, unsigned long window) {
    Display* x = XOpenDisplay(display.c_str());
    if (x == nullptr) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(x, window, False, NoEventMask, &event);
    XFlush(x);
    XCloseDisplay(x);
    return sent != 0;
}

} // namespace kalveo::testing
