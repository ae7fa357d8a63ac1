#include "cpw/cpw_context.h"

#include "cpw/cpw_font.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <cstdio>
#include <string>

namespace kalveo {

namespace {

void request_gl_attributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

/// The window's own context, sharing textures and lists with the contexts made before.
bool make_gl_context(pCpw cpw, CpwWindow& window) {
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, cpw->current != 0 ? 1 : 0);
    window.gl = SDL_GL_CreateContext(window.sdl);
    if (!window.gl) return false;
    // Never wait for the screen refresh: the 25 ms timer must keep its pace.
    SDL_GL_SetSwapInterval(0);
    if (!cpw->window_pos2f) cpw->window_pos2f = SDL_GL_GetProcAddress("glWindowPos2f");
    return true;
}

Uint32 window_flags(const CpwContext& cpw) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (cpw.popup) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR;
    if (cpw.topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    return flags;
}

void release_window(CpwWindow& window) {
    if (window.gl) SDL_GL_DeleteContext(window.gl);
    SDL_DestroyWindow(window.sdl);
}

void release_windows(pCpw cpw) {
    SDL_GL_MakeCurrent(nullptr, nullptr);
    cpw->current = 0;
    for (CpwWindow& window : cpw->windows)
        release_window(window);
    cpw->windows.clear();
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
    if (!window.gl) return false;
    if (cpw->current == window.id) return true;
    if (SDL_GL_MakeCurrent(window.sdl, window.gl) != 0) {
        cpw->current = 0;
        return false;
    }
    cpw->current = window.id;
    return true;
}

bool cpwInitContext(pCpw* cpw) {
    if (!cpw) return false;
    if (*cpw) return true;
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // A close request goes to the window callbacks; the program decides whether to end.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_StopTextInput();
    auto* context = new CpwContext;
    if (!cpw_font_init(context)) context->error = CPW_FREETYPE_ERROR;
    *cpw = context;
    return true;
}

void cpwFreeContext(pCpw* cpw) {
    if (!cpw || !*cpw) return;
    pCpw context = *cpw;
    release_windows(context);
    cpw_font_exit(context);
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
    const int x = cpw->next_positioned ? cpw->next_x : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    const int y = cpw->next_positioned ? cpw->next_y : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    const std::string name(title);
    request_gl_attributes();
    CpwWindow window;
    window.sdl =
        SDL_CreateWindow(name.c_str(), x, y, cpw->next_width, cpw->next_height, window_flags(*cpw));
    if (!window.sdl || !make_gl_context(cpw, window)) {
        // What the system said goes to the error stream (StdErr.log) for the pilot's report.
        std::fprintf(stderr, "Window \"%s\" not created: %s\n", name.c_str(), SDL_GetError());
        if (window.sdl) SDL_DestroyWindow(window.sdl);
        // The failed attempt may have left no context current.
        if (CpwWindow* current = cpw_find_window(cpw, cpw->current)) {
            SDL_GL_MakeCurrent(current->sdl, current->gl);
        }
        cpw_error_set(cpw, CPW_WINDOW_ERROR);
        return 0;
    }
    window.id = cpw->next_id++;
    window.sdl_id = SDL_GetWindowID(window.sdl);
    SDL_GL_GetDrawableSize(window.sdl, &window.width, &window.height);
    glViewport(0, 0, window.width, window.height);
    window.redisplay = true;
    cpw->windows.push_back(window);
    // Creating the context made it current.
    cpw->current = window.id;
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
    release_window(*window);
    std::erase_if(cpw->windows, [winid](const CpwWindow& w) { return w.id == winid; });
    std::erase_if(cpw->pending, [winid](const CpwPendingEvent& e) { return e.id == winid; });
    // GL calls from the timer (textures) need some context: keep one current.
    if (cpw->current == 0 && !cpw->windows.empty()) {
        cpw_activate_window(cpw, cpw->windows.front());
    }
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
    return cpw && cpw->current != 0;
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
