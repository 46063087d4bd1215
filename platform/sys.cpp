// System-wide values: screen size from SDL's display bounds, and the shared brushes.
#include "platform/sys.h"

#include <SDL.h>

#include <map>
#include <memory>

#include "platform/handles.h"
#include "platform/window_table.h"

namespace platform {
namespace {

struct Brush {
    uint32_t colour = 0;
    bool hollow = false;
};

struct Brushes {
    HandleTable<Brush, HandleKind::Brush> table;
    std::map<int32_t, HBRUSH> system;
    HBRUSH null_brush = 0;
};

Brushes& brushes() {
    static Brushes* instance = new Brushes;
    return *instance;
}

// Windows' classic system colours (COLORREF, 0x00BBGGRR), for the indices a window class may ask for.
bool system_colour(int32_t index, uint32_t* colour) {
    static const std::map<int32_t, uint32_t> colours = {
        {0, 0xC8C8C8}, {1, 0x000000},  {4, 0xF0F0F0},  {5, 0xFFFFFF},  {6, 0x646464},  {7, 0x000000},
        {8, 0x000000}, {15, 0xF0F0F0}, {16, 0xA0A0A0}, {18, 0x000000}, {20, 0xFFFFFF}, {21, 0x696969},
    };
    const auto found = colours.find(index);
    if (found == colours.end()) return false;
    *colour = found->second;
    return true;
}

}  // namespace

int32_t get_system_metrics(int32_t index) {
    if ((index != SM_CXSCREEN && index != SM_CYSCREEN) || !ensure_video()) return 0;
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(0, &bounds) != 0) return 0;
    return index == SM_CXSCREEN ? bounds.w : bounds.h;
}

HBRUSH get_sys_color_brush(int32_t index) {
    uint32_t colour = 0;
    if (!system_colour(index, &colour)) return 0;
    Brushes& state = brushes();
    HBRUSH& handle = state.system[index];
    if (!state.table.get(handle)) {
        auto brush = std::make_unique<Brush>();
        brush->colour = colour;
        handle = state.table.add(std::move(brush));
    }
    return handle;
}

HGDIOBJ get_stock_object(int32_t index) {
    if (index != NULL_BRUSH) return 0;
    Brushes& state = brushes();
    if (!state.table.get(state.null_brush)) {
        auto brush = std::make_unique<Brush>();
        brush->hollow = true;
        state.null_brush = state.table.add(std::move(brush));
    }
    return state.null_brush;
}

bool brush_colour(HBRUSH handle, uint32_t* colour, bool* hollow) {
    const Brush* brush = brushes().table.get(handle);
    if (!brush) return false;
    if (colour) *colour = brush->colour;
    if (hollow) *hollow = brush->hollow;
    return true;
}

}  // namespace platform
