// cpw/cpw: the windowing component: OpenGL windows, the event loop with its callbacks and
// repeating timer, BMP images, and the font layer (cpw_font.h) that draws into the windows.
//
// Built on SDL2: each window has its own OpenGL 2.1 compatibility context, all sharing textures
// and lists. (One context switched between the windows makes Mesa rebuild its buffers on every
// switch, which costs several per cent of a core at 20 frames a second.) A window's context is
// current while its callbacks run; some context is current whenever a window exists, so the
// timer may make textures too. Everything runs on the thread that calls cpwMainLoop, one
// callback at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

struct SDL_Window;

namespace kalveo {

/// The component's context; lives from cpwInitContext to cpwFreeContext.
struct CpwContext;
using pCpw = CpwContext*;

/// Window id handed out by cpwCreateWindow; 0 is never a window.
using CpwWindowId = std::uint32_t;

// cpwGet parameters.
inline constexpr int CPW_SCREEN_WIDTH = 6;  ///< Screen width (pixels).
inline constexpr int CPW_SCREEN_HEIGHT = 7; ///< Screen height (pixels).

// Window properties for the windows created next (cpwInitWindowProperty); they stay in force
// until changed.
inline constexpr std::uint32_t CPW_WINDOWPROP_POPUP = 2;              ///< Borderless, no task bar.
inline constexpr std::uint32_t CPW_WINDOWPROP_TOPMOST = 256;          ///< Always on top.
inline constexpr std::uint32_t CPW_WINDOWPROP_SIZE = 0x40000000U;     ///< (width, height) pixels.
inline constexpr std::uint32_t CPW_WINDOWPROP_POSITION = 0x80000000U; ///< (x, y) pixels.

// Key states of the keyboard callbacks.
inline constexpr int CPW_KEYMOD_DOWN = 1; ///< Pressed (auto-repeat comes as further presses).
inline constexpr int CPW_KEYMOD_UP = 2;   ///< Released.

// System keys (cpwSystemKeyboardCallback); the keyboard callback gets characters instead.
inline constexpr int CPW_KEY_F1 = 1; ///< F1..F12 are 1..12.
inline constexpr int CPW_KEY_F12 = 12;
inline constexpr int CPW_KEY_LEFT = 13;
inline constexpr int CPW_KEY_UP = 14;
inline constexpr int CPW_KEY_RIGHT = 15;
inline constexpr int CPW_KEY_DOWN = 16;
inline constexpr int CPW_KEY_PAGEUP = 17;
inline constexpr int CPW_KEY_PAGEDOWN = 18;
inline constexpr int CPW_KEY_HOME = 19;
inline constexpr int CPW_KEY_END = 20;
inline constexpr int CPW_KEY_INSERT = 21;
inline constexpr int CPW_KEY_DELETE = 22;
inline constexpr int CPW_KEY_CAPSLOCK = 23;
inline constexpr int CPW_KEY_SHIFT = 24;
inline constexpr int CPW_KEY_CONTROL = 25;
inline constexpr int CPW_KEY_ALT = 26;
inline constexpr int CPW_KEY_ESCAPE = 27;

// Mouse buttons and their states (cpwMouseClickCallback).
inline constexpr int CPW_BUTTON_LEFT = 0;
inline constexpr int CPW_BUTTON_MIDDLE = 1;
inline constexpr int CPW_BUTTON_RIGHT = 2;
inline constexpr int CPW_BUTTON_DOWN = 1;
inline constexpr int CPW_BUTTON_UP = 0;

/// Image formats of cpwLoadImage.
inline constexpr int CPW_IMAGEFORMAT_BMP = 2;

/// Error codes recorded in the context (cpw_error_get).
inline constexpr int CPW_NOERROR = 0;
inline constexpr int CPW_FREETYPE_ERROR = 1;    ///< FreeType failed.
inline constexpr int CPW_OUTOFMEMORY_ERROR = 2; ///< A buffer could not be had.
inline constexpr int CPW_BADARGUMENT_ERROR = 3; ///< An argument out of range.
inline constexpr int CPW_FONTFORMAT_ERROR = 4;  ///< FreeType does not know the font format.
inline constexpr int CPW_WINDOW_ERROR = 5;      ///< A window or the GL context failed.

// Callbacks. The window's GL context is current while a window callback runs.
/// flag 1 when the window was created, 0 when the user asks to close it.
using CpwCreateCallback = std::function<void(pCpw, CpwWindowId, int flag)>;
using CpwDisplayCallback = std::function<void(pCpw, CpwWindowId)>;
/// New client size (pixels).
using CpwReshapeCallback = std::function<void(pCpw, CpwWindowId, int width, int height)>;
/// key: a character (keyboard) or a CPW_KEY_* code (system keyboard); state CPW_KEYMOD_*;
/// x, y the mouse position in the window (pixels).
using CpwKeyboardCallback =
    std::function<void(pCpw, CpwWindowId, int key, int state, int x, int y)>;
/// buttonstate CPW_BUTTON_DOWN/UP, button CPW_BUTTON_LEFT/MIDDLE/RIGHT, x, y in pixels.
using CpwMouseClickCallback =
    std::function<void(pCpw, CpwWindowId, int buttonstate, int button, int x, int y)>;
using CpwTimerCallbackFn = std::function<void(pCpw, int id)>;

/// Creates the context (and starts SDL's video) when *cpw is null; a live context is kept as
/// it is, with its callbacks and timers, so a second pass of the program reuses them.
/// Returns true when *cpw holds a usable context.
bool cpwInitContext(pCpw* cpw);
/// Destroys every window, the GL context, the fonts, and the context; *cpw becomes null.
void cpwFreeContext(pCpw* cpw);

/// A value of the component: CPW_SCREEN_WIDTH, CPW_SCREEN_HEIGHT. Others: 0.
std::int32_t cpwGet(pCpw cpw, int param);

/// Sets a property for the windows created next (CPW_WINDOWPROP_*). False for unknown codes.
bool cpwInitWindowProperty(pCpw cpw, std::uint32_t property, int a, int b);

/// Opens a window with the current properties and title; 0 on failure (error 5). Its create
/// and first reshape callbacks are delivered by the main loop, so callbacks registered after
/// this call still see them.
CpwWindowId cpwCreateWindow(pCpw cpw, std::string_view title);
/// Closes a window; unknown ids are ignored.
void cpwDestroyWindow(pCpw cpw, CpwWindowId winid);
/// Moves a window's top-left corner to (x, y) pixels (off-screen values are allowed).
void cpwPositionWindow(pCpw cpw, int x, int y, CpwWindowId winid);
/// Resizes a window's client area; the reshape callback follows.
void cpwReshapeWindow(pCpw cpw, int width, int height, CpwWindowId winid);

void cpwCreateCallback(pCpw cpw, CpwCreateCallback callback);
void cpwDisplayCallback(pCpw cpw, CpwDisplayCallback callback);
void cpwReshapeCallback(pCpw cpw, CpwReshapeCallback callback);
void cpwKeyboardCallback(pCpw cpw, CpwKeyboardCallback callback);
void cpwSystemKeyboardCallback(pCpw cpw, CpwKeyboardCallback callback);
void cpwMouseClickCallback(pCpw cpw, CpwMouseClickCallback callback);
/// Calls `callback(cpw, id)` every `milliseconds` (once when repeat is 0), on the main loop's
/// thread. A timer id registered again replaces the old timer; an empty callback removes it.
void cpwTimerCallback(pCpw cpw, int milliseconds, int id, int repeat, CpwTimerCallbackFn callback);

/// Runs the event loop until a callback calls cpwBreakMainLoop. Between events it sleeps
/// until the next timer is due.
void cpwMainLoop(pCpw cpw);
void cpwBreakMainLoop(pCpw cpw);
/// Asks for the display callback of every window on the next loop pass.
void cpwPostRedisplay(pCpw cpw);
/// The same for one window.
void cpwPostWindowRedisplay(pCpw cpw, CpwWindowId winid);
/// Shows the frame drawn into the window.
void cpwSwapWindowBuffers(pCpw cpw, CpwWindowId winid);
/// Makes a window's GL context current for drawing outside its callbacks.
/// False when the window does not exist.
bool cpwSetWindow(pCpw cpw, CpwWindowId winid);

/// The SDL window behind a window id (opacity, always-on-top), or null.
SDL_Window* cpw_sdl_window(pCpw cpw, CpwWindowId winid);
/// The native window behind a window id: the X11 Window on X11, the HWND on Windows; 0 when
/// there is none (unknown id, or a driver without native windows).
std::uintptr_t cpw_native_window(pCpw cpw, CpwWindowId winid);
/// True once the GL context exists and a window can take GL calls.
bool cpw_gl_ready(pCpw cpw);
/// Sets the raster position in window pixels (glWindowPos2f, from the bottom-left corner). Unlike
/// glRasterPos it stays valid outside the viewport, so text may start off the window's edge.
void cpw_window_pos(pCpw cpw, float x, float y);

/// A loaded image: rows of `width` pixels of `depth` bytes each (3 RGB, 4 RGBA), tightly packed,
/// the bottom row first when loaded with flip 1 (as glTexImage2D reads it).
struct CpwImage {
    std::vector<std::uint8_t> data;
    int width = 0;
    int height = 0;
    int depth = 0;
};

/// Loads an image file (backslash names allowed) of `format` (CPW_IMAGEFORMAT_BMP) into
/// `image`; flip 1 puts the bottom row first. Non-zero on success; on failure the image is
/// empty.
int cpwLoadImage(pCpw cpw, CpwImage* image, int format, std::string_view filename, int flip);
void cpwFreeImage(pCpw cpw, CpwImage* image);

/// Records an error code in the context (CPW_*_ERROR).
void cpw_error_set(pCpw cpw, int code);
/// The last error code recorded, CPW_NOERROR when none.
int cpw_error_get(pCpw cpw);

} // namespace kalveo
