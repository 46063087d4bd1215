// Pixel formats become SDL GL attributes (which SDL reads when it makes a window), contexts are SDL GL
// contexts; a context holds on to the SDL window it draws into so drawing after a window's end is safe.
#include "platform/gl_context.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/handles.h"
#include "platform/testing.h"
#include "platform/window_table.h"

namespace platform {
namespace {

struct Format {
    int colour = 0;  // bits per colour channel
    int alpha = 0;
    int depth = 0;
    int stencil = 0;
    int accum = 0;  // bits per accumulation channel
    bool double_buffer = true;
    bool stereo = false;

    bool operator==(const Format& other) const {
        return colour == other.colour && alpha == other.alpha && depth == other.depth && stencil == other.stencil &&
               accum == other.accum && double_buffer == other.double_buffer && stereo == other.stereo;
    }
};

struct GlContext {
    SDL_GLContext sdl = nullptr;
    std::shared_ptr<NativeWindow> window;
    bool swap_interval_set = false;
};

struct GlState {
    std::vector<Format> formats;
    HandleTable<GlContext, HandleKind::GlContext> contexts;
    HGLRC current = 0;
    SwapListener listener = nullptr;
};

GlState& gl_state() {
    static GlState* instance = new GlState;
    return *instance;
}

Format format_of(const PIXELFORMATDESCRIPTOR& request) {
    Format format;
    const int bits = request.cColorBits;
    format.colour = bits >= 24 ? 8 : (bits >= 15 ? 5 : bits / 3);
    format.alpha = request.cAlphaBits;
    format.depth = request.cDepthBits;
    format.stencil = request.cStencilBits;
    const int accum_channel =
        std::max({static_cast<int>(request.cAccumRedBits), static_cast<int>(request.cAccumGreenBits),
                  static_cast<int>(request.cAccumBlueBits), static_cast<int>(request.cAccumAlphaBits)});
    format.accum = accum_channel ? accum_channel : request.cAccumBits / 4;
    format.double_buffer = (request.dwFlags & PFD_DOUBLEBUFFER) != 0;
    format.stereo = (request.dwFlags & PFD_STEREO) != 0;
    return format;
}

void set_attributes(const Format& format) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format.colour);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format.colour);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format.colour);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.alpha);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depth);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.stencil);
    for (SDL_GLattr accum :
         {SDL_GL_ACCUM_RED_SIZE, SDL_GL_ACCUM_GREEN_SIZE, SDL_GL_ACCUM_BLUE_SIZE, SDL_GL_ACCUM_ALPHA_SIZE}) {
        SDL_GL_SetAttribute(accum, format.accum);
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format.double_buffer ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_STEREO, format.stereo ? 1 : 0);
}

// Whether a window and a context can be made under these attributes; the current context stays.
bool context_possible(const Format& format) {
    set_attributes(format);
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!probe) return false;
    SDL_Window* previous_window = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous_context = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(probe);
    SDL_GL_MakeCurrent(previous_window, previous_context);
    if (context) SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(probe);
    return context != nullptr;
}

// Each step gives up a little more of the request, in the order that matters least to a picture.
using Relaxation = void (*)(Format&);
constexpr Relaxation kRelaxations[] = {
    [](Format& f) { f.stereo = false; },
    [](Format& f) { f.accum = std::min(f.accum, 16); },
    [](Format& f) { f.accum = 0; },
    [](Format& f) { f.stencil = std::min(f.stencil, 8); },
    [](Format& f) { f.stencil = 0; },
    [](Format& f) { f.alpha = std::min(f.alpha, 8); },
    [](Format& f) { f.alpha = 0; },
    [](Format& f) { f.depth = std::min(f.depth, 24); },
    [](Format& f) { f.depth = std::min(f.depth, 16); },
    [](Format& f) { f.depth = 0; },
    [](Format& f) { f.colour = std::min(f.colour, 5); },
    [](Format& f) { f.colour = std::min(f.colour, 1); },
};

int32_t index_of(const Format& format) {
    std::vector<Format>& formats = gl_state().formats;
    auto found = std::find(formats.begin(), formats.end(), format);
    if (found == formats.end()) found = formats.insert(formats.end(), format);
    return static_cast<int32_t>(found - formats.begin()) + 1;
}

const Format* format_at(int32_t index) {
    const std::vector<Format>& formats = gl_state().formats;
    return index >= 1 && index <= static_cast<int32_t>(formats.size()) ? &formats[index - 1] : nullptr;
}

void request_vertical_sync() {
    if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
}

}  // namespace

bool apply_pixel_format(int format) {
    const Format* granted = format_at(format);
    if (!granted) return false;
    set_attributes(*granted);
    return true;
}

int32_t choose_pixel_format(HDC dc, const PIXELFORMATDESCRIPTOR* request) {
    if (testing::take_failure(testing::Failure::ChoosePixelFormat)) return 0;
    if (!request || !window_of_dc(dc) || !ensure_video()) return 0;
    Format format = format_of(*request);
    if (context_possible(format)) return index_of(format);
    for (Relaxation relax : kRelaxations) {
        const Format before = format;
        relax(format);
        if (!(format == before) && context_possible(format)) return index_of(format);
    }
    return 0;
}

int32_t set_pixel_format(HDC dc, int32_t format, const PIXELFORMATDESCRIPTOR*) {
    HWND handle = 0;
    Window* window = window_of_dc(dc, &handle);
    if (!window || !format_at(format) || window->parent) return 0;
    if (window->pixel_format) return window->pixel_format == format ? 1 : 0;
    window->pixel_format = format;
    return recreate_native(handle) ? 1 : 0;
}

int32_t describe_pixel_format(HDC dc, int32_t format, uint32_t size, PIXELFORMATDESCRIPTOR* out) {
    if (!window_of_dc(dc)) return 0;
    const Format* granted = format_at(format);
    if (out && granted && size >= sizeof(PIXELFORMATDESCRIPTOR)) {
        *out = PIXELFORMATDESCRIPTOR{};
        out->nSize = sizeof(PIXELFORMATDESCRIPTOR);
        out->nVersion = 1;
        out->dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (granted->double_buffer ? PFD_DOUBLEBUFFER : 0) |
                       (granted->stereo ? PFD_STEREO : 0);
        out->iPixelType = PFD_TYPE_RGBA;
        out->cColorBits = static_cast<uint8_t>(granted->colour * 3);
        out->cRedBits = out->cGreenBits = out->cBlueBits = static_cast<uint8_t>(granted->colour);
        out->cAlphaBits = static_cast<uint8_t>(granted->alpha);
        out->cAccumBits = static_cast<uint8_t>(granted->accum * 4);
        out->cAccumRedBits = out->cAccumGreenBits = out->cAccumBlueBits = out->cAccumAlphaBits =
            static_cast<uint8_t>(granted->accum);
        out->cDepthBits = static_cast<uint8_t>(granted->depth);
        out->cStencilBits = static_cast<uint8_t>(granted->stencil);
        out->iLayerType = PFD_MAIN_PLANE;
    }
    return static_cast<int32_t>(gl_state().formats.size());
}

HGLRC wgl_create_context(HDC dc) {
    if (testing::take_failure(testing::Failure::CreateContext)) return 0;
    HWND handle = 0;
    Window* window = window_of_dc(dc, &handle);
    if (!window || !window->pixel_format || !realise_native(handle)) return 0;
    window = find_window(handle);
    apply_pixel_format(window->pixel_format);
    SDL_Window* previous_window = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous_context = SDL_GL_GetCurrentContext();
    SDL_GLContext sdl = SDL_GL_CreateContext(window->native->sdl);
    SDL_GL_MakeCurrent(previous_window, previous_context);
    if (!sdl) return 0;
    auto context = std::make_unique<GlContext>();
    context->sdl = sdl;
    context->window = window->native;
    const HGLRC created = gl_state().contexts.add(std::move(context));
    if (!created) SDL_GL_DeleteContext(sdl);
    return created;
}

int32_t wgl_make_current(HDC dc, HGLRC handle) {
    GlState& state = gl_state();
    if (!handle) {
        if (state.current && video_started()) SDL_GL_MakeCurrent(nullptr, nullptr);
        state.current = 0;
        return 1;
    }
    GlContext* context = state.contexts.get(handle);
    Window* window = window_of_dc(dc);
    if (!context || !window || !window->native) return 0;
    if (SDL_GL_MakeCurrent(window->native->sdl, context->sdl) != 0) return 0;
    context->window = window->native;
    state.current = handle;
    if (!context->swap_interval_set) {
        request_vertical_sync();
        context->swap_interval_set = true;
    }
    return 1;
}

int32_t wgl_delete_context(HGLRC handle) {
    GlState& state = gl_state();
    std::unique_ptr<GlContext> context = state.contexts.remove(handle);
    if (!context) return 0;
    if (state.current == handle) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        state.current = 0;
    }
    SDL_GL_DeleteContext(context->sdl);
    return 1;
}

HGLRC wgl_get_current_context() {
    GlState& state = gl_state();
    return state.contexts.get(state.current) ? state.current : 0;
}

bool has_current_gl_context() {
    return SDL_GL_GetCurrentContext() != nullptr;
}

int32_t swap_buffers(HDC dc) {
    Window* window = window_of_dc(dc);
    if (!window || !window->native || !window->pixel_format) return 0;
    SDL_GL_SwapWindow(window->native->sdl);
    if (gl_state().listener) gl_state().listener(dc);
    return 1;
}

void set_swap_listener(SwapListener listener) {
    gl_state().listener = listener;
}

}  // namespace platform
