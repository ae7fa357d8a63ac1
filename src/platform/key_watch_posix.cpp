#include "platform/key_watch.h"
#include "platform/x_key_table.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <array>

namespace kalveo {
namespace {

constexpr long kNoDisplay = 1;
constexpr long kNoXInput2 = 2;

// The watch's own X connection, apart from the windows': closing it removes the watch.
struct XWatch {
    Display* display = nullptr;
    int xi_opcode = 0;
    KeyEventSink sink;
    long handle = 0;
    long error = 0;
    // Which keys are down, by X key code: a release of a key that is not down (X can report
    // a modifier released twice) is dropped.
    std::array<bool, 256> down{};
};

XWatch& watch() {
    static XWatch w;
    return w;
}

bool select_raw_keys(Display* display) {
    int major = 2;
    int minor = 2; // from 2.1 on, raw events reach us whoever has the keyboard
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 1))
        return false;
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
    XISetMask(bits.data(), XI_RawKeyPress);
    XISetMask(bits.data(), XI_RawKeyRelease);
    XIEventMask mask{};
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = static_cast<int>(bits.size());
    mask.mask = bits.data();
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XFlush(display);
    return true;
}

void deliver(XWatch& w, int keycode, bool down, Time time) {
    if (keycode < 0 || keycode >= static_cast<int>(w.down.size())) return;
    bool& held = w.down[static_cast<std::size_t>(keycode)];
    if (!down && !held) return;
    held = down;
    const std::optional<PcKey> key = pc_key_of_x_keycode(keycode);
    if (!key || !w.sink) return;
    KeyEvent event;
    event.vk = key->vk;
    event.scancode = key->scancode;
    event.extended = key->extended;
    event.down = down;
    // Alt as Windows flags it: either Alt key held.
    constexpr int kLeftAlt = 64;
    constexpr int kRightAlt = 108;
    event.alt_down = w.down[kLeftAlt] || w.down[kRightAlt];
    event.time_ms = static_cast<std::uint32_t>(time);
    w.sink(0, event);
}

} // namespace

long key_watch_install(KeyEventSink sink) {
    key_watch_remove();
    XWatch& w = watch();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        w.error = kNoDisplay;
        return 0;
    }
    int event = 0;
    int error = 0;
    if (XQueryExtension(display, "XInputExtension", &w.xi_opcode, &event, &error) == 0 ||
        !select_raw_keys(display)) {
        XCloseDisplay(display);
        w.error = kNoXInput2;
        return 0;
    }
    w.display = display;
    w.sink = std::move(sink);
    w.down = {};
    w.error = 0;
    // Each installation gets a number of its own, as a hook handle would be.
    return ++w.handle;
}

bool key_watch_remove() {
    XWatch& w = watch();
    if (w.display != nullptr) XCloseDisplay(w.display);
    w.display = nullptr;
    w.sink = nullptr;
    return true;
}

void key_watch_poll() {
    XWatch& w = watch();
    while (w.display != nullptr && XPending(w.display) > 0) {
        XEvent event;
        XNextEvent(w.display, &event);
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != w.xi_opcode) continue;
        if (XGetEventData(w.display, &cookie) == 0) continue;
        if (cookie.evtype == XI_RawKeyPress || cookie.evtype == XI_RawKeyRelease) {
            const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
            // The sink may reinstall the watch: keep nothing of the event after it.
            const int keycode = raw->detail;
            const Time time = raw->time;
            XFreeEventData(w.display, &cookie);
            deliver(w, keycode, cookie.evtype == XI_RawKeyPress, time);
            continue;
        }
        XFreeEventData(w.display, &cookie);
    }
}

long key_watch_error() {
    return watch().error;
}

int system_modifiers() {
    return 0;
}

bool system_beep(int /*freq*/, int /*dur_ms*/) {
    return false;
}

} // namespace kalveo
