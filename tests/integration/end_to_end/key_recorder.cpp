#include "key_recorder.h"

#include "platform/process.h"
#include "support/test_files.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <thread>

namespace kalveo::testing {

KeyRecorder::KeyRecorder(const std::string& display, bool grab) {
    x_ = XOpenDisplay(display.c_str());
    if (x_ == nullptr) return;
    const int screen = DefaultScreen(x_);
    window_ = XCreateSimpleWindow(x_, RootWindow(x_, screen), 100, 300, 300, 200, 0,
                                  BlackPixel(x_, screen), WhitePixel(x_, screen));
    XStoreName(x_, window_, "Simulator stand-in");
    XSelectInput(x_, window_, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapRaised(x_, window_);
    XEvent event;
    do {
        XNextEvent(x_, &event);
    } while (event.type != MapNotify);
    focused_ = focus();
    if (grab)
        grabbed_ = XGrabKeyboard(x_, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                   GrabSuccess;
    XSync(x_, False);
}

KeyRecorder::~KeyRecorder() {
    if (x_ == nullptr) return;
    if (grabbed_) XUngrabKeyboard(x_, CurrentTime);
    XDestroyWindow(x_, window_);
    XCloseDisplay(x_);
}

bool KeyRecorder::focus() {
    if (x_ == nullptr) return false;
    XRaiseWindow(x_, window_);
    XSetInputFocus(x_, window_, RevertToParent, CurrentTime);
    XSync(x_, False);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(x_, &focus, &revert);
    return focus == window_;
}

void KeyRecorder::drain() {
    if (x_ == nullptr) return;
    XSync(x_, False);
    while (XPending(x_) > 0) {
        XEvent event;
        XNextEvent(x_, &event);
        if (event.type != KeyPress && event.type != KeyRelease) continue;
        const KeySym sym = XLookupKeysym(&event.xkey, 0);
        const char* name = XKeysymToString(sym);
        auto& counts = event.type == KeyPress ? presses_ : releases_;
        counts[name != nullptr ? name : "?"] += 1;
    }
}

std::map<std::string, int> KeyRecorder::presses() {
    drain();
    return presses_;
}

std::map<std::string, int> KeyRecorder::releases() {
    drain();
    return releases_;
}

bool type_keys(const std::string& display, const std::vector<std::string>& keys, int delay_ms) {
    ScopedEnv env("DISPLAY", display);
    std::vector<std::string> args = {"xdotool", "key", "--delay", std::to_string(delay_ms)};
    args.insert(args.end(), keys.begin(), keys.end());
    return run_program(args) == 0;
}

bool type_text(const std::string& display, const std::string& text, int delay_ms) {
    ScopedEnv env("DISPLAY", display);
    return run_program({"xdotool", "type", "--delay", std::to_string(delay_ms), text}) == 0;
}

} // namespace kalveo::testing
