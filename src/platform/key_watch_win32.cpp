#include "platform/key_watch.h"

#include <windows.h>

namespace kalveo {
namespace {

struct HookWatch {
    HHOOK hook = nullptr;
    KeyEventSink sink;
    long error = 0;
};

HookWatch& watch() {
    static HookWatch w;
    return w;
}

// Runs on the thread that installed the hook, from its message loop. Every event goes on to
// the next hook: no key is ever taken from the simulator.
LRESULT CALLBACK low_level_keyboard_proc(int code, WPARAM message, LPARAM data) {
    const HookWatch& w = watch();
    if (w.sink) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        KeyEvent event;
        event.vk = static_cast<int>(info->vkCode);
        event.scancode = static_cast<int>(info->scanCode);
        event.extended = (info->flags & LLKHF_EXTENDED) != 0;
        event.down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        event.alt_down = (info->flags & LLKHF_ALTDOWN) != 0;
        event.time_ms = static_cast<std::uint32_t>(info->time);
        w.sink(code, event);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

bool held(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

} // namespace

long key_watch_install(KeyEventSink sink) {
    HookWatch& w = watch();
    if (w.hook != nullptr && !key_watch_remove()) return 0;
    w.sink = std::move(sink);
    w.hook =
        SetWindowsHookExW(WH_KEYBOARD_LL, low_level_keyboard_proc, GetModuleHandleW(nullptr), 0);
    if (w.hook == nullptr) {
        w.error = static_cast<long>(GetLastError());
        w.sink = nullptr;
        return 0;
    }
    return static_cast<long>(reinterpret_cast<INT_PTR>(w.hook));
}

bool key_watch_remove() {
    HookWatch& w = watch();
    if (w.hook == nullptr) return true;
    if (UnhookWindowsHookEx(w.hook) == 0) {
        w.error = static_cast<long>(GetLastError());
        return false;
    }
    w.hook = nullptr;
    w.sink = nullptr;
    return true;
}

void key_watch_poll() {}

long key_watch_error() {
    return watch().error;
}

int system_modifiers() {
    return (held(VK_CONTROL) ? 1 : 0) | (held(VK_SHIFT) ? 2 : 0) | (held(VK_LMENU) ? 4 : 0);
}

bool system_beep(int freq, int dur_ms) {
    return Beep(static_cast<DWORD>(freq), static_cast<DWORD>(dur_ms)) != 0;
}

} // namespace kalveo
