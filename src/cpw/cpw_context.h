// cpw/cpw_context: the inside of the windowing component's context, shared by its files.
#pragma once

#include "cpw/cpw.h"

#include <cstdint>
#include <deque>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace kalveo {

/// Font options and FreeType state of a context.
struct CpwFontState {
    FT_LibraryRec_* library = nullptr;
    int render_mode = 1;
    int size = 16 * 64; ///< 1/64 points.
    int alignment = 11;
    int kerning = 0;
    int layout_debug = 0;
    int spacing = 1;
    int glformat = 6409;
    int hres = 72; ///< dpi
    int vres = 72; ///< dpi
    /// Converted glyph pixels, reused from glyph to glyph.
    std::vector<std::uint8_t> buffer;
    std::vector<FT_FaceRec_*> faces;
};

/// A window with its own GL context (all contexts share textures and lists).
struct CpwWindow {
    CpwWindowId id = 0;
    SDL_Window* sdl = nullptr;
    void* gl = nullptr; ///< SDL_GLContext
    std::uint32_t sdl_id = 0;
    int width = 0;
    int height = 0;
    bool redisplay = false;
};

struct CpwTimer {
    int id = 0;
    int period_ms = 0;
    bool repeat = false;
    CpwTimerCallbackFn callback;
    std::uint64_t due_ms = 0;
};

/// Window events the main loop delivers on behalf of cpwCreateWindow and cpwReshapeWindow.
struct CpwPendingEvent {
    enum Kind { Created, Reshaped } kind = Created;
    CpwWindowId id = 0;
};

struct CpwContext {
    /// glWindowPos2f of the GL library (GL 1.4: looked up, Windows exports only GL 1.1).
    void* window_pos2f = nullptr;
    std::vector<CpwWindow> windows;
    CpwWindowId next_id = 1;
    /// Window whose GL context is current; 0 none.
    CpwWindowId current = 0;

    // Properties of the next window.
    bool popup = false;
    bool topmost = false;
    int next_width = 320;
    int next_height = 240;
    bool next_positioned = false;
    int next_x = 0;
    int next_y = 0;

    CpwCreateCallback on_create;
    CpwDisplayCallback on_display;
    CpwReshapeCallback on_reshape;
    CpwKeyboardCallback on_keyboard;
    CpwKeyboardCallback on_system_keyboard;
    CpwMouseClickCallback on_mouse;
    std::vector<CpwTimer> timers;
    std::deque<CpwPendingEvent> pending;

    bool break_loop = false;
    int error = CPW_NOERROR;
    CpwFontState font;
};

/// The window of an id, or null.
CpwWindow* cpw_find_window(pCpw cpw, CpwWindowId id);
/// Makes a window's GL context current.
bool cpw_activate_window(pCpw cpw, CpwWindow& window);

} // namespace kalveo
