// Message boxes on SDL, with Windows' buttons and keys; a handler may answer in place of the person.
#include "platform/dialog.h"

#include <SDL.h>

#include <vector>

namespace platform {
namespace {

MessageBoxHandler& handler() {
    static MessageBoxHandler instance;
    return instance;
}

// Windows-1252 code points of 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

void append_utf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

uint32_t box_flags(uint32_t style) {
    switch (style & 0xF0) {
        case MB_ICONHAND: return SDL_MESSAGEBOX_ERROR;
        case MB_ICONEXCLAMATION: return SDL_MESSAGEBOX_WARNING;
        default: return SDL_MESSAGEBOX_INFORMATION;
    }
}

}  // namespace

std::string cp1252_to_utf8(const char* text) {
    std::string out;
    if (!text) return out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        uint32_t code = *p;
        if (code >= 0x80 && code < 0xA0) code = kHighControls[code - 0x80] ? kHighControls[code - 0x80] : 0xFFFD;
        append_utf8(out, code);
    }
    return out;
}

void set_message_box_handler(MessageBoxHandler replacement) { handler() = std::move(replacement); }

int32_t message_box(HWND, const char* text, const char* caption, uint32_t style) {
    const std::string utf8_text = cp1252_to_utf8(text);
    const std::string utf8_caption = cp1252_to_utf8(caption);
    if (handler()) return handler()(utf8_text, utf8_caption, style);

    // Return presses the default (first) button; Escape answers No, Cancel or, alone, OK.
    std::vector<SDL_MessageBoxButtonData> buttons;
    switch (style & 0xF) {
        case MB_YESNO:
            buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
                       {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"}};
            break;
        case MB_OKCANCEL:
            buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"},
                       {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"}};
            break;
        default:
            buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"}};
            break;
    }
    SDL_MessageBoxData data{};
    data.flags = box_flags(style);
    data.window = nullptr;
    data.title = utf8_caption.c_str();
    data.message = utf8_text.c_str();
    data.numbuttons = static_cast<int>(buttons.size());
    data.buttons = buttons.data();
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) return 0;
    return pressed;
}

}  // namespace platform
