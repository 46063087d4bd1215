// Cursor and icon records with their SDL cursors and images, made when a display first needs them.
#include "platform/cursor.h"

#include <SDL.h>

#include <map>
#include <memory>

#include "platform/handles.h"
#include "platform/window_table.h"

namespace platform {
namespace {

struct Cursor {
    int system = -1;  // an SDL_SystemCursor, or -1 for an image
    SDL_Surface* image = nullptr;
    SDL_Cursor* sdl = nullptr;
};

struct Icon {};

struct CursorTables {
    HandleTable<Cursor, HandleKind::Cursor> cursors;
    HandleTable<Icon, HandleKind::Icon> icons;
    std::map<int32_t, HCURSOR> system_cursors;
    HICON application_icon = 0;
    POINT position{0, 0};
};

CursorTables& tables() {
    static CursorTables* instance = new CursorTables;
    return *instance;
}

// Windows' cursors that SDL lacks take the nearest one SDL has.
int system_cursor_of(int32_t id) {
    switch (id) {
        case IDC_ARROW:
            return SDL_SYSTEM_CURSOR_ARROW;
        case IDC_IBEAM:
            return SDL_SYSTEM_CURSOR_IBEAM;
        case IDC_WAIT:
            return SDL_SYSTEM_CURSOR_WAIT;
        case IDC_CROSS:
            return SDL_SYSTEM_CURSOR_CROSSHAIR;
        case IDC_UPARROW:
            return SDL_SYSTEM_CURSOR_ARROW;
        case IDC_SIZE:
            return SDL_SYSTEM_CURSOR_SIZEALL;
        case IDC_SIZENWSE:
            return SDL_SYSTEM_CURSOR_SIZENWSE;
        case IDC_SIZENESW:
            return SDL_SYSTEM_CURSOR_SIZENESW;
        case IDC_SIZEWE:
            return SDL_SYSTEM_CURSOR_SIZEWE;
        case IDC_SIZENS:
            return SDL_SYSTEM_CURSOR_SIZENS;
        case IDC_SIZEALL:
            return SDL_SYSTEM_CURSOR_SIZEALL;
        case IDC_NO:
            return SDL_SYSTEM_CURSOR_NO;
        case IDC_HAND:
            return SDL_SYSTEM_CURSOR_HAND;
        case IDC_APPSTARTING:
            return SDL_SYSTEM_CURSOR_WAITARROW;
        case IDC_HELP:
            return SDL_SYSTEM_CURSOR_ARROW;
        default:
            return -1;
    }
}

const WindowClass* class_of(HWND window) {
    const Window* record = find_window(window);
    if (!record) return nullptr;
    const auto found = window_system().classes.find(record->class_name);
    return found == window_system().classes.end() ? nullptr : &found->second;
}

}  // namespace

HCURSOR load_cursor(HINSTANCE instance, int32_t cursor_id) {
    if (instance != 0) return 0;
    const int system = system_cursor_of(cursor_id);
    if (system < 0) return 0;
    CursorTables& state = tables();
    HCURSOR& handle = state.system_cursors[cursor_id];
    if (!state.cursors.get(handle)) {
        auto cursor = std::make_unique<Cursor>();
        cursor->system = system;
        handle = state.cursors.add(std::move(cursor));
    }
    return handle;
}

HICON load_icon(HINSTANCE instance, int32_t icon_id) {
    if (instance != 0 || icon_id != IDI_APPLICATION) return 0;
    CursorTables& state = tables();
    if (!state.icons.get(state.application_icon)) state.application_icon = state.icons.add(std::make_unique<Icon>());
    return state.application_icon;
}

HCURSOR load_cursor_from_file(const char* file_name) {
    if (!file_name || !*file_name) return 0;
    SDL_Surface* image = SDL_LoadBMP(file_name);
    if (!image) return 0;
    auto cursor = std::make_unique<Cursor>();
    cursor->image = image;
    return tables().cursors.add(std::move(cursor));
}

void apply_class_cursor(HWND window) {
    const WindowClass* window_class = class_of(window);
    Cursor* cursor = window_class ? tables().cursors.get(window_class->cursor) : nullptr;
    if (!cursor || !video_started()) return;
    if (!cursor->sdl) {
        cursor->sdl = cursor->system >= 0 ? SDL_CreateSystemCursor(static_cast<SDL_SystemCursor>(cursor->system))
                                          : SDL_CreateColorCursor(cursor->image, 0, 0);
    }
    if (cursor->sdl) SDL_SetCursor(cursor->sdl);
}

void apply_class_icon(HWND window) {
    const WindowClass* window_class = class_of(window);
    const Window* record = find_window(window);
    if (!window_class || !record || !record->native) return;
    // The application icon is SDL's default; only an image loaded from a file replaces it.
    const Cursor* image = tables().cursors.get(window_class->icon);
    if (image && image->image) SDL_SetWindowIcon(record->native->sdl, image->image);
}

int32_t get_cursor_pos(POINT* point) {
    if (!point) return 0;
    CursorTables& state = tables();
    if (video_started()) SDL_GetGlobalMouseState(&state.position.X, &state.position.Y);
    *point = state.position;
    return 1;
}

int32_t set_cursor_pos(int32_t x, int32_t y) {
    tables().position = POINT{x, y};
    if (video_started()) SDL_WarpMouseGlobal(x, y);
    return 1;
}

}  // namespace platform
