// The main loop: SDL events to callbacks, timers served on this thread, redisplays.
#include "cpw/cpw_context.h"
#include "cpw/cpw_keys.h"

#include <SDL.h>
#include <algorithm>
#include <cctype>

namespace kalveo {

namespace {

CpwWindow* window_of_sdl_id(pCpw cpw, std::uint32_t sdl_id) {
    for (CpwWindow& window : cpw->windows) {
        if (window.sdl_id == sdl_id) return &window;
    }
    return nullptr;
}

void call_reshape(pCpw cpw, CpwWindowId id) {
    CpwWindow* window = cpw_find_window(cpw, id);
    if (!window || !cpw->on_reshape || !cpw_activate_window(cpw, *window)) return;
    cpw->on_reshape(cpw, id, window->width, window->height);
}

void call_create(pCpw cpw, CpwWindowId id, int flag) {
    CpwWindow* window = cpw_find_window(cpw, id);
    if (!window || !cpw->on_create) return;
    cpw_activate_window(cpw, *window);
    cpw->on_create(cpw, id, flag);
}

void deliver_pending(pCpw cpw) {
    while (!cpw->pending.empty() && !cpw->break_loop) {
        const CpwPendingEvent event = cpw->pending.front();
        cpw->pending.pop_front();
        if (event.kind == CpwPendingEvent::Created) {
            call_create(cpw, event.id, 1);
        } else {
            call_reshape(cpw, event.id);
        }
    }
}

void on_window_event(pCpw cpw, const SDL_WindowEvent& event) {
    CpwWindow* window = window_of_sdl_id(cpw, event.windowID);
    if (!window) return;
    const CpwWindowId id = window->id;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        call_create(cpw, id, 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (event.data1 != window->width || event.data2 != window->height) {
            window->width = std::max(event.data1, 1);
            window->height = std::max(event.data2, 1);
            window->redisplay = true;
            call_reshape(cpw, id);
        }
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        window->redisplay = true;
        break;
    default:
        break;
    }
}

void on_key_event(pCpw cpw, const SDL_KeyboardEvent& event) {
    CpwWindow* window = window_of_sdl_id(cpw, event.windowID);
    if (!window) return;
    const CpwKey key = cpw_translate_key(event.keysym.sym, event.keysym.mod);
    if (key.kind == CpwKey::None) return;
    const int state = event.type == SDL_KEYDOWN ? CPW_KEYMOD_DOWN : CPW_KEYMOD_UP;
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    const CpwKeyboardCallback& callback =
        key.kind == CpwKey::Character ? cpw->on_keyboard : cpw->on_system_keyboard;
    if (!callback) return;
    cpw_activate_window(cpw, *window);
    callback(cpw, window->id, key.code, state, x, y);
}

void on_mouse_event(pCpw cpw, const SDL_MouseButtonEvent& event) {
    CpwWindow* window = window_of_sdl_id(cpw, event.windowID);
    if (!window || !cpw->on_mouse) return;
    int button = CPW_BUTTON_LEFT;
    if (event.button == SDL_BUTTON_MIDDLE)
        button = CPW_BUTTON_MIDDLE;
    else if (event.button == SDL_BUTTON_RIGHT)
        button = CPW_BUTTON_RIGHT;
    else if (event.button != SDL_BUTTON_LEFT)
        return;
    const int state = event.state == SDL_PRESSED ? CPW_BUTTON_DOWN : CPW_BUTTON_UP;
    cpw_activate_window(cpw, *window);
    cpw->on_mouse(cpw, window->id, state, button, event.x, event.y);
}

void dispatch(pCpw cpw, const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        on_window_event(cpw, event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        on_key_event(cpw, event.key);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        on_mouse_event(cpw, event.button);
        break;
    case SDL_QUIT:
        // An interrupt from the console: a close request of the first window.
        if (!cpw->windows.empty()) call_create(cpw, cpw->windows.front().id, 0);
        break;
    default:
        break;
    }
}

void fire_due_timers(pCpw cpw) {
    const std::uint64_t now = SDL_GetTicks64();
    // Copy the due ids first: a callback may register or replace timers.
    std::vector<int> due;
    for (const CpwTimer& timer : cpw->timers) {
        if (timer.due_ms <= now) due.push_back(timer.id);
    }
    for (int id : due) {
        if (cpw->break_loop) return;
        auto it = std::find_if(cpw->timers.begin(), cpw->timers.end(),
                               [id](const CpwTimer& t) { return t.id == id; });
        if (it == cpw->timers.end() || it->due_ms > now) continue;
        CpwTimerCallbackFn callback = it->callback;
        if (it->repeat) {
            it->due_ms += static_cast<std::uint64_t>(it->period_ms);
            // After a long stall start afresh rather than firing a burst of late ticks.
            if (it->due_ms <= now) it->due_ms = now + static_cast<std::uint64_t>(it->period_ms);
        } else {
            cpw->timers.erase(it);
        }
        if (callback) callback(cpw, id);
    }
}

void redisplay_windows(pCpw cpw) {
    std::vector<CpwWindowId> ids;
    for (CpwWindow& window : cpw->windows) {
        if (window.redisplay) ids.push_back(window.id);
        window.redisplay = false;
    }
    for (CpwWindowId id : ids) {
        if (cpw->break_loop) return;
        CpwWindow* window = cpw_find_window(cpw, id);
        if (!window || !cpw->on_display || !cpw_activate_window(cpw, *window)) continue;
        cpw->on_display(cpw, id);
    }
}

/// How long to sleep between looks for events when no timer runs (ms).
constexpr int kIdleWaitMs = 10;

/// Milliseconds until the next timer is due; -1 to wait for events only.
int wait_time(pCpw cpw) {
    if (!cpw->pending.empty()) return 0;
    for (const CpwWindow& window : cpw->windows) {
        if (window.redisplay) return 0;
    }
    if (cpw->timers.empty()) return -1;
    std::uint64_t next = cpw->timers.front().due_ms;
    for (const CpwTimer& timer : cpw->timers)
        next = std::min(next, timer.due_ms);
    const std::uint64_t now = SDL_GetTicks64();
    return next <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(next - now, 1000));
}

// Sleeps until the next timer is due and then takes every waiting event.
// SDL's own blocking wait is not used: it wakes itself with an X message sent
// to one of our windows through a second connection, and when that window has
// been destroyed meanwhile (closing, restart) Xlib's error handler ends the
// whole process. Events wait at most one timer period (25 ms).
void handle_events(pCpw cpw) {
    SDL_Event event;
    const int timeout = wait_time(cpw);
    bool got = SDL_PollEvent(&event) != 0;
    if (!got && timeout != 0) {
        SDL_Delay(static_cast<Uint32>(timeout < 0 ? kIdleWaitMs : timeout));
        got = SDL_PollEvent(&event) != 0;
    }
    while (got && !cpw->break_loop) {
        dispatch(cpw, event);
        got = SDL_PollEvent(&event) != 0;
    }
}

} // namespace

void cpwCreateCallback(pCpw cpw, CpwCreateCallback callback) {
    if (cpw) cpw->on_create = std::move(callback);
}
void cpwDisplayCallback(pCpw cpw, CpwDisplayCallback callback) {
    if (cpw) cpw->on_display = std::move(callback);
}
void cpwReshapeCallback(pCpw cpw, CpwReshapeCallback callback) {
    if (cpw) cpw->on_reshape = std::move(callback);
}
void cpwKeyboardCallback(pCpw cpw, CpwKeyboardCallback callback) {
    if (cpw) cpw->on_keyboard = std::move(callback);
}
void cpwSystemKeyboardCallback(pCpw cpw, CpwKeyboardCallback callback) {
    if (cpw) cpw->on_system_keyboard = std::move(callback);
}
void cpwMouseClickCallback(pCpw cpw, CpwMouseClickCallback callback) {
    if (cpw) cpw->on_mouse = std::move(callback);
}

void cpwTimerCallback(pCpw cpw, int milliseconds, int id, int repeat, CpwTimerCallbackFn callback) {
    if (!cpw) return;
    std::erase_if(cpw->timers, [id](const CpwTimer& t) { return t.id == id; });
    if (!callback) return;
    CpwTimer timer;
    timer.id = id;
    timer.period_ms = std::max(milliseconds, 1);
    timer.repeat = repeat != 0;
    timer.callback = std::move(callback);
    timer.due_ms = SDL_GetTicks64() + static_cast<std::uint64_t>(timer.period_ms);
    cpw->timers.push_back(std::move(timer));
}

void cpwMainLoop(pCpw cpw) {
    if (!cpw) return;
    cpw->break_loop = false;
    const std::uint64_t start = SDL_GetTicks64();
    // Timers count from the start of the loop, not from their registration.
    for (CpwTimer& timer : cpw->timers) {
        timer.due_ms = std::max(timer.due_ms, start + static_cast<std::uint64_t>(timer.period_ms));
    }
    while (!cpw->break_loop) {
        deliver_pending(cpw);
        if (cpw->break_loop) break;
        fire_due_timers(cpw);
        if (cpw->break_loop) break;
        redisplay_windows(cpw);
        if (cpw->break_loop) break;
        handle_events(cpw);
    }
}

void cpwBreakMainLoop(pCpw cpw) {
    if (cpw) cpw->break_loop = true;
}

void cpwPostRedisplay(pCpw cpw) {
    if (!cpw) return;
    for (CpwWindow& window : cpw->windows)
        window.redisplay = true;
}

void cpwPostWindowRedisplay(pCpw cpw, CpwWindowId winid) {
    if (CpwWindow* window = cpw_find_window(cpw, winid)) window->redisplay = true;
}

void cpwSwapWindowBuffers(pCpw cpw, CpwWindowId winid) {
    CpwWindow* window = cpw_find_window(cpw, winid);
    if (window && cpw_activate_window(cpw, *window)) SDL_GL_SwapWindow(window->sdl);
}

} // namespace kalveo
