// Classes and windows: the records behind HWND, their SDL windows, and the calls that send messages
// synchronously (creation, destruction, painting).
#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/dialog.h"
#include "platform/queue.h"
#include "platform/testing.h"
#include "platform/window_table.h"

namespace platform {
namespace {

constexpr const char* kStatusClass = "msctls_statusbar32";
constexpr int32_t kStatusHeight = 22;
constexpr int32_t kDefaultWidth = 640;
constexpr int32_t kDefaultHeight = 480;

int32_t width_of(const RECT& rect) {
    return rect.right - rect.left;
}
int32_t height_of(const RECT& rect) {
    return rect.bottom - rect.top;
}

ATOM add_class(const char* name, WindowClass entry) {
    if (testing::take_failure(testing::Failure::RegisterClass)) return 0;
    if (!name || !*name || !entry.procedure) return 0;
    WindowSystem& system = window_system();
    if (system.classes.count(name)) return 0;
    entry.name = name;
    entry.atom = system.next_atom++;
    const ATOM atom = entry.atom;
    system.classes.emplace(name, std::move(entry));
    return atom;
}

RECT client_of(const Window& window) {
    return RECT{0, 0, width_of(window.rect), height_of(window.rect)};
}

void unite(RECT& into, const RECT& add) {
    if (width_of(into) <= 0 || height_of(into) <= 0) {
        into = add;
        return;
    }
    into.left = std::min(into.left, add.left);
    into.top = std::min(into.top, add.top);
    into.right = std::max(into.right, add.right);
    into.bottom = std::max(into.bottom, add.bottom);
}

void drop_device_contexts(HWND window) {
    std::vector<HDC> owned;
    window_system().device_contexts.for_each([&](HDC dc, const DeviceContext& context) {
        if (context.window == window) owned.push_back(dc);
    });
    for (HDC dc : owned) window_system().device_contexts.remove(dc);
}

LRESULT status_procedure(HWND window, int32_t message, WPARAM wparam, LPARAM lparam) {
    return def_window_proc(window, message, wparam, lparam);
}

bool ensure_status_class() {
    if (window_system().classes.count(kStatusClass)) return true;
    WindowClass entry;
    entry.procedure = status_procedure;
    return add_class(kStatusClass, entry) != 0;
}

}  // namespace

NativeWindow::~NativeWindow() {
    if (sdl) SDL_DestroyWindow(sdl);
}

WindowSystem& window_system() {
    static WindowSystem* instance = new WindowSystem;
    return *instance;
}

Window* find_window(HWND window) {
    return window_system().windows.get(window);
}

Window* window_of_dc(HDC dc, HWND* handle) {
    const DeviceContext* context = window_system().device_contexts.get(dc);
    if (!context) return nullptr;
    if (handle) *handle = context->window;
    return find_window(context->window);
}

HWND top_level_of(HWND window) {
    for (Window* record = find_window(window); record; record = find_window(window)) {
        if (!record->parent) return window;
        window = record->parent;
    }
    return 0;
}

HWND window_from_native_id(uint32_t native_id) {
    HWND found = 0;
    window_system().windows.for_each([&](HWND handle, const Window& window) {
        if (window.native && SDL_GetWindowID(window.native->sdl) == native_id) found = handle;
    });
    return found;
}

POINT origin_in_top(HWND window) {
    POINT origin{0, 0};
    for (Window* record = find_window(window); record && record->parent; record = find_window(record->parent)) {
        origin.X += record->rect.left;
        origin.Y += record->rect.top;
    }
    return origin;
}

HWND window_at(HWND top, POINT point, POINT* local) {
    HWND hit = top;
    POINT inside = point;
    for (bool descended = true; descended;) {
        descended = false;
        const Window* record = find_window(hit);
        if (!record) break;
        // Later children lie above earlier ones.
        for (auto child = record->children.rbegin(); child != record->children.rend(); ++child) {
            const Window* candidate = find_window(*child);
            if (!candidate || !candidate->visible) continue;
            const RECT& r = candidate->rect;
            if (inside.X >= r.left && inside.X < r.right && inside.Y >= r.top && inside.Y < r.bottom) {
                inside.X -= r.left;
                inside.Y -= r.top;
                hit = *child;
                descended = true;
                break;
            }
        }
    }
    if (local) *local = inside;
    return hit;
}

bool realise_native(HWND handle) {
    Window* window = find_window(handle);
    if (!window || window->parent) return false;
    if (window->native) return true;
    if (!ensure_video()) return false;
    if (window->pixel_format) apply_pixel_format(window->pixel_format);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if ((window->style & WS_CAPTION) != WS_CAPTION) flags |= SDL_WINDOW_BORDERLESS;
    const std::string title = cp1252_to_utf8(window->title.c_str());
    SDL_Window* sdl =
        SDL_CreateWindow(title.c_str(), window->rect.left, window->rect.top, std::max(1, width_of(window->rect)),
                         std::max(1, height_of(window->rect)), flags);
    if (!sdl) return false;
    window->native = std::make_shared<NativeWindow>(sdl);
    apply_class_icon(handle);
    if (window->visible) {
        SDL_ShowWindow(sdl);
        apply_class_cursor(handle);
    }
    return true;
}

bool recreate_native(HWND handle) {
    Window* window = find_window(handle);
    if (!window) return false;
    if (window->native) SDL_HideWindow(window->native->sdl);
    window->native.reset();
    return realise_native(handle);
}

HINSTANCE get_module_handle(const char* module_name) {
    return module_name ? 0 : MODULE_INSTANCE;
}

// A plain class is an extended one without a small icon.
ATOM register_class(const WNDCLASS* window_class) {
    if (!window_class) return 0;
    const WNDCLASSEX extended{sizeof(WNDCLASSEX),          window_class->style,         window_class->lpfnWndProc,
                              window_class->cbClsExtra,    window_class->cbWndExtra,    window_class->hInstance,
                              window_class->hIcon,         window_class->hCursor,       window_class->hbrBackground,
                              window_class->lpszMenuName,  window_class->lpszClassName, 0};
    return register_class_ex(&extended);
}

ATOM register_class_ex(const WNDCLASSEX* window_class) {
    if (!window_class) return 0;
    WindowClass entry;
    entry.style = window_class->style;
    entry.procedure = window_class->lpfnWndProc;
    entry.instance = window_class->hInstance;
    entry.icon = window_class->hIcon;
    entry.small_icon = window_class->hIconSm;
    entry.cursor = window_class->hCursor;
    entry.background = window_class->hbrBackground;
    return add_class(window_class->lpszClassName, entry);
}

int32_t unregister_class(const char* class_name, HINSTANCE) {
    if (!class_name) return 0;
    WindowSystem& system = window_system();
    bool in_use = false;
    system.windows.for_each([&](HWND, const Window& window) { in_use = in_use || window.class_name == class_name; });
    return !in_use && system.classes.erase(class_name) ? 1 : 0;
}

int32_t get_class_info_ex(HINSTANCE, const char* class_name, WNDCLASSEX* out) {
    if (!class_name || !out) return 0;
    const auto found = window_system().classes.find(class_name);
    if (found == window_system().classes.end()) return 0;
    const WindowClass& entry = found->second;
    out->style = entry.style;
    out->lpfnWndProc = entry.procedure;
    out->cbClsExtra = 0;
    out->cbWndExtra = 0;
    out->hInstance = entry.instance;
    out->hIcon = entry.icon;
    out->hCursor = entry.cursor;
    out->hbrBackground = entry.background;
    out->lpszMenuName = nullptr;
    out->lpszClassName = entry.name.c_str();
    out->hIconSm = entry.small_icon;
    return entry.atom;
}

HWND create_window_ex(uint32_t ex_style, const char* class_name, const char* window_name, uint32_t style, int32_t x,
                      int32_t y, int32_t width, int32_t height, HWND parent, HMENU menu, HINSTANCE, void*) {
    if (testing::take_failure(testing::Failure::CreateWindow)) return 0;
    WindowSystem& system = window_system();
    if (!class_name) return 0;
    const auto found = system.classes.find(class_name);
    if (found == system.classes.end()) return 0;
    const bool child = (style & WS_CHILD) != 0;
    Window* parent_record = find_window(parent);
    if (child && !parent_record) return 0;

    auto window = std::make_unique<Window>();
    window->class_name = class_name;
    window->procedure = found->second.procedure;
    window->style = style;
    window->ex_style = ex_style;
    window->title = window_name ? window_name : "";
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) {
        width = kDefaultWidth;
        height = kDefaultHeight;
    }
    window->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
    window->parent = child ? parent : 0;
    window->id = child ? static_cast<int32_t>(menu) : 0;
    window->visible = (style & WS_VISIBLE) != 0;
    window->needs_paint = window->visible;
    window->update = client_of(*window);
    const HWND handle = system.windows.add(std::move(window));
    if (!handle) return 0;
    if (child) parent_record->children.push_back(handle);
    if (!child && (style & WS_VISIBLE)) system.foreground = handle;

    if (send_message(handle, WM_CREATE, 0, 0) == -1) {
        destroy_window(handle);
        return 0;
    }
    return is_window(handle) ? handle : 0;
}

int32_t destroy_window(HWND handle) {
    Window* window = find_window(handle);
    if (!window || window->destroying) return 0;
    WindowSystem& system = window_system();
    window->destroying = true;
    window->visible = false;
    if (window->native) SDL_HideWindow(window->native->sdl);
    if (system.capture == handle) release_capture();

    send_message(handle, WM_DESTROY, 0, 0);
    const std::vector<HWND> children = find_window(handle)->children;
    for (HWND child : children) destroy_window(child);

    window = find_window(handle);
    if (Window* parent = find_window(window->parent)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
    }
    if (system.foreground == handle) system.foreground = 0;
    forget_window_messages(handle);
    drop_device_contexts(handle);
    system.windows.remove(handle);
    return 1;
}

bool is_window(HWND window) {
    return find_window(window) != nullptr;
}

int32_t show_window(HWND handle, int32_t command) {
    Window* window = find_window(handle);
    if (!window) return 0;
    const bool was_visible = window->visible;
    window->visible = command != SW_HIDE;
    if (window->visible && !was_visible) invalidate_rect(handle, nullptr, 1);
    if (window->native) {
        if (window->visible) {
            SDL_ShowWindow(window->native->sdl);
        } else {
            SDL_HideWindow(window->native->sdl);
        }
    }
    if (!window->parent && window->visible) window_system().foreground = handle;
    return was_visible ? 1 : 0;
}

int32_t update_window(HWND handle) {
    Window* window = find_window(handle);
    if (!window) return 0;
    if (window->needs_paint && window->visible) send_message(handle, WM_PAINT, 0, 0);
    return 1;
}

LRESULT def_window_proc(HWND window, int32_t message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CLOSE:
            destroy_window(window);
            return 0;
        case WM_RBUTTONUP: {
            POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            client_to_screen(window, &at);
            send_message(window, WM_CONTEXTMENU, static_cast<WPARAM>(window), MAKELPARAM(at.X, at.Y));
            return 0;
        }
        case WM_CONTEXTMENU: {
            const HWND parent = get_parent(window);
            return parent ? send_message(parent, WM_CONTEXTMENU, wparam, lparam) : 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            begin_paint(window, &paint);
            end_paint(window, &paint);
            return 0;
        }
        default:
            return 0;
    }
}

HDC get_dc(HWND window) {
    if (!find_window(window)) return 0;
    auto context = std::make_unique<DeviceContext>();
    context->window = window;
    return window_system().device_contexts.add(std::move(context));
}

int32_t release_dc(HWND window, HDC dc) {
    const DeviceContext* context = window_system().device_contexts.get(dc);
    if (!context || context->window != window) return 0;
    window_system().device_contexts.remove(dc);
    return 1;
}

int32_t invalidate_rect(HWND handle, const RECT* rect, int32_t) {
    Window* window = find_window(handle);
    if (!window) return 0;
    unite(window->update, rect ? *rect : client_of(*window));
    window->needs_paint = true;
    return 1;
}

HDC begin_paint(HWND handle, PAINTSTRUCT* paint) {
    Window* window = find_window(handle);
    if (!window || !paint) return 0;
    paint->hdc = get_dc(handle);
    paint->fErase = 0;
    paint->rcPaint = window->update;
    window->update = RECT{};
    window->needs_paint = false;
    return paint->hdc;
}

int32_t end_paint(HWND window, const PAINTSTRUCT* paint) {
    if (!paint) return 0;
    release_dc(window, paint->hdc);
    return 1;
}

HWND set_capture(HWND handle) {
    if (!find_window(handle)) return 0;
    WindowSystem& system = window_system();
    const HWND previous = system.capture;
    system.capture = handle;
    // SDL reports motion outside the window only while it captures the mouse itself; without focus it
    // refuses, and the queue then follows the global pointer instead.
    if (video_started()) SDL_CaptureMouse(SDL_TRUE);
    return previous;
}

int32_t release_capture() {
    WindowSystem& system = window_system();
    if (system.capture && video_started()) SDL_CaptureMouse(SDL_FALSE);
    system.capture = 0;
    return 1;
}

HWND get_capture() {
    return window_system().capture;
}

HWND get_foreground_window() {
    return window_system().foreground;
}

namespace testing {
void set_foreground(HWND window) {
    window_system().foreground = is_window(window) ? window : 0;
}
}  // namespace testing

int32_t set_window_text(HWND handle, const char* text) {
    Window* window = find_window(handle);
    if (!window) return 0;
    window->title = text ? text : "";
    if (window->native) SDL_SetWindowTitle(window->native->sdl, cp1252_to_utf8(window->title.c_str()).c_str());
    return 1;
}

int32_t get_window_text(HWND handle, char* buffer, int32_t max_count) {
    Window* window = find_window(handle);
    if (!buffer || max_count <= 0) return 0;
    buffer[0] = '\0';
    if (!window) return 0;
    const size_t count = std::min(window->title.size(), static_cast<size_t>(max_count - 1));
    std::memcpy(buffer, window->title.data(), count);
    buffer[count] = '\0';
    return static_cast<int32_t>(count);
}

int32_t get_client_rect(HWND handle, RECT* rect) {
    Window* window = find_window(handle);
    if (!window || !rect) return 0;
    *rect = client_of(*window);
    return 1;
}

int32_t get_window_rect(HWND handle, RECT* rect) {
    Window* window = find_window(handle);
    if (!window || !rect) return 0;
    POINT corner{0, 0};
    client_to_screen(handle, &corner);
    *rect = RECT{corner.X, corner.Y, corner.X + width_of(window->rect), corner.Y + height_of(window->rect)};
    return 1;
}

int32_t move_window(HWND handle, int32_t x, int32_t y, int32_t width, int32_t height, int32_t repaint) {
    Window* window = find_window(handle);
    if (!window) return 0;
    window->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
    if (window->native) {
        SDL_SetWindowPosition(window->native->sdl, x, y);
        SDL_SetWindowSize(window->native->sdl, std::max(1, width), std::max(1, height));
    }
    if (repaint) invalidate_rect(handle, nullptr, 1);
    return 1;
}

HWND get_parent(HWND handle) {
    Window* window = find_window(handle);
    return window ? window->parent : 0;
}

int32_t client_to_screen(HWND handle, POINT* point) {
    const HWND top = top_level_of(handle);
    Window* top_window = find_window(top);
    if (!top_window || !point) return 0;
    const POINT origin = origin_in_top(handle);
    point->X += top_window->rect.left + origin.X;
    point->Y += top_window->rect.top + origin.Y;
    return 1;
}

int32_t set_prop(HWND handle, const char* name, HANDLE value) {
    Window* window = find_window(handle);
    if (!window || !name) return 0;
    window->properties[name] = value;
    return 1;
}

HANDLE get_prop(HWND handle, const char* name) {
    Window* window = find_window(handle);
    if (!window || !name) return 0;
    const auto found = window->properties.find(name);
    return found == window->properties.end() ? 0 : found->second;
}

HANDLE remove_prop(HWND handle, const char* name) {
    Window* window = find_window(handle);
    if (!window || !name) return 0;
    const auto found = window->properties.find(name);
    if (found == window->properties.end()) return 0;
    const HANDLE value = found->second;
    window->properties.erase(found);
    return value;
}

HWND create_status_window(int32_t style, const char* text, HWND parent, uint32_t id) {
    Window* parent_window = find_window(parent);
    if (!parent_window || !ensure_status_class()) return 0;
    const RECT client = client_of(*parent_window);
    const int32_t height = std::min(kStatusHeight, client.bottom);
    return create_window_ex(0, kStatusClass, text, static_cast<uint32_t>(style) | WS_CHILD, 0, client.bottom - height,
                            client.right, height, parent, id, MODULE_INSTANCE, nullptr);
}

int32_t status_set_parts(HWND status, int32_t count, const int32_t* right_edges) {
    Window* window = find_window(status);
    if (!window || window->class_name != kStatusClass || count < 0 || count > 256) return 0;
    if (count > 0 && !right_edges) return 0;
    window->status_parts.assign(right_edges, right_edges + count);
    invalidate_rect(status, nullptr, 1);
    return 1;
}

int32_t status_get_parts(HWND status, int32_t max_count, int32_t* right_edges) {
    Window* window = find_window(status);
    if (!window || window->class_name != kStatusClass) return 0;
    const int32_t count = static_cast<int32_t>(window->status_parts.size());
    for (int32_t i = 0; i < std::min(count, max_count); ++i) right_edges[i] = window->status_parts[i];
    return count;
}

}  // namespace platform
