#include "display/cpw_context.h"

#include "display/cpw_font.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <string>

namespace kalveo {

namespace {

/// One context per process: SDL has one event queue.
pCpw live_context = nullptr;

void request_gl_attributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

void save_view(CpwWindow& window) {
    glGetIntegerv(GL_VIEWPORT, window.viewport.data());
    glGetFloatv(GL_PROJECTION_MATRIX, window.projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, window.modelview.data());
    glGetIntegerv(GL_MATRIX_MODE, &window.matrix_mode);
    window.view_saved = true;
}

void restore_view(CpwWindow& window) {
    if (!window.view_saved) {
        // A new window starts as a new context would: the whole window, identity matrices.
        glViewport(0, 0, window.width, window.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        save_view(window);
        return;
    }
    glViewport(window.viewport[0], window.viewport[1], window.viewport[2], window.viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(window.projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(window.modelview.data());
    glMatrixMode(static_cast<GLenum>(window.matrix_mode));
}

bool make_gl_context(pCpw cpw, SDL_Window* window) {
    if (cpw->gl) return true;
    cpw->gl = SDL_GL_CreateContext(window);
    if (!cpw->gl) return false;
    // Never wait for the screen refresh: the 25 ms timer must keep its pace.
    SDL_GL_SetSwapInterval(0);
    cpw->window_pos2f = SDL_GL_GetProcAddress("glWindowPos2f");
    return true;
}

Uint32 window_flags(const CpwContext& cpw) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (cpw.popup) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR;
    if (cpw.topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    return flags;
}

void release_windows(pCpw cpw) {
    if (cpw->gl) SDL_GL_MakeCurrent(nullptr, nullptr);
    for (CpwWindow& window : cpw->windows)
        SDL_DestroyWindow(window.sdl);
    cpw->windows.clear();
    cpw->current = 0;
}

} // namespace

CpwWindow* cpw_find_window(pCpw cpw, CpwWindowId id) {
    if (!cpw || id == 0) return nullptr;
    for (CpwWindow& window : cpw->windows) {
        if (window.id == id) return &window;
    }
    return nullptr;
}

bool cpw_activate_window(pCpw cpw, CpwWindow& window) {
    if (!cpw->gl) return false;
    if (cpw->current == window.id) return true;
    if (CpwWindow* before = cpw_find_window(cpw, cpw->current)) save_view(*before);
    if (SDL_GL_MakeCurrent(window.sdl, cpw->gl) != 0) {
        cpw->current = 0;
        return false;
    }
    cpw->current = window.id;
    restore_view(window);
    return true;
}

bool cpwInitContext(pCpw* cpw) {
    if (!cpw) return false;
    if (live_context) {
        *cpw = live_context;
        return true;
    }
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // A close request goes to the window callbacks; the program decides whether to end.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_StopTextInput();
    auto* context = new CpwContext;
    if (!cpw_font_init(context)) context->error = CPW_FREETYPE_ERROR;
    live_context = context;
    *cpw = context;
    return true;
}

void cpwFreeContext(pCpw* cpw) {
    if (!cpw || !*cpw) return;
    pCpw context = *cpw;
    release_windows(context);
    if (context->gl) SDL_GL_DeleteContext(context->gl);
    cpw_font_exit(context);
    if (live_context == context) live_context = nullptr;
    delete context;
    *cpw = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::int32_t cpwGet(pCpw cpw, int param) {
    if (!cpw) return 0;
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
    switch (param) {
    case CPW_SCREEN_WIDTH:
        return mode.w;
    case CPW_SCREEN_HEIGHT:
        return mode.h;
    default:
        return 0;
    }
}

bool cpwInitWindowProperty(pCpw cpw, std::uint32_t property, int a, int b) {
    if (!cpw) return false;
    switch (property) {
    case CPW_WINDOWPROP_POPUP:
        cpw->popup = true;
        return true;
    case CPW_WINDOWPROP_TOPMOST:
        cpw->topmost = true;
        return true;
    case CPW_WINDOWPROP_SIZE:
        cpw->next_width = std::max(a, 1);
        cpw->next_height = std::max(b, 1);
        return true;
    case CPW_WINDOWPROP_POSITION:
        cpw->next_positioned = true;
        cpw->next_x = a;
        cpw->next_y = b;
        return true;
    default:
        cpw_error_set(cpw, CPW_BADARGUMENT_ERROR);
        return false;
    }
}

CpwWindowId cpwCreateWindow(pCpw cpw, std::string_view title) {
    if (!cpw) return 0;
    if (!cpw->gl) request_gl_attributes();
    const int x = cpw->next_positioned ? cpw->next_x : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    const int y = cpw->next_positioned ? cpw->next_y : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    const std::string name(title);
    SDL_Window* sdl =
        SDL_CreateWindow(name.c_str(), x, y, cpw->next_width, cpw->next_height, window_flags(*cpw));
    if (!sdl || !make_gl_context(cpw, sdl)) {
        if (sdl) SDL_DestroyWindow(sdl);
        cpw_error_set(cpw, CPW_WINDOW_ERROR);
        return 0;
    }
    CpwWindow window;
    window.id = cpw->next_id++;
    window.sdl = sdl;
    window.sdl_id = SDL_GetWindowID(sdl);
    SDL_GL_GetDrawableSize(sdl, &window.width, &window.height);
    window.redisplay = true;
    cpw->windows.push_back(window);
    cpw_activate_window(cpw, cpw->windows.back());
    cpw->pending.push_back({CpwPendingEvent::Created, window.id});
    cpw->pending.push_back({CpwPendingEvent::Reshaped, window.id});
    return window.id;
}

void cpwDestroyWindow(pCpw cpw, CpwWindowId winid) {
    CpwWindow* window = cpw_find_window(cpw, winid);
    if (!window) return;
    if (cpw->current == winid) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        cpw->current = 0;
    }
    SDL_DestroyWindow(window->sdl);
    std::erase_if(cpw->windows, [winid](const CpwWindow& w) { return w.id == winid; });
    std::erase_if(cpw->pending, [winid](const CpwPendingEvent& e) { return e.id == winid; });
    // Keep the context current on a window that is still there.
    if (!cpw->windows.empty()) cpw_activate_window(cpw, cpw->windows.front());
}

void cpwPositionWindow(pCpw cpw, int x, int y, CpwWindowId winid) {
    if (CpwWindow* window = cpw_find_window(cpw, winid)) SDL_SetWindowPosition(window->sdl, x, y);
}

void cpwReshapeWindow(pCpw cpw, int width, int height, CpwWindowId winid) {
    CpwWindow* window = cpw_find_window(cpw, winid);
    if (!window) return;
    width = std::max(width, 1);
    height = std::max(height, 1);
    SDL_SetWindowSize(window->sdl, width, height);
    if (window->width == width && window->height == height) return;
    window->width = width;
    window->height = height;
    window->redisplay = true;
    cpw->pending.push_back({CpwPendingEvent::Reshaped, winid});
}

bool cpwSetWindow(pCpw cpw, CpwWindowId winid) {
    CpwWindow* window = cpw_find_window(cpw, winid);
    return window && cpw_activate_window(cpw, *window);
}

SDL_Window* cpw_sdl_window(pCpw cpw, CpwWindowId winid) {
    CpwWindow* window = cpw_find_window(cpw, winid);
    return window ? window->sdl : nullptr;
}

bool cpw_gl_ready(pCpw cpw) {
    return cpw && cpw->gl && cpw->current != 0;
}

void cpw_window_pos(pCpw cpw, float x, float y) {
    using WindowPos2f = void(APIENTRY*)(GLfloat, GLfloat);
    if (cpw_gl_ready(cpw) && cpw->window_pos2f) {
        reinterpret_cast<WindowPos2f>(cpw->window_pos2f)(x, y);
    }
}

void cpw_error_set(pCpw cpw, int code) {
    if (cpw) cpw->error = code;
}

int cpw_error_get(pCpw cpw) {
    return cpw ? cpw->error : CPW_NOERROR;
}

} // namespace kalveo
