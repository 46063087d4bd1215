// The message queue: SDL events become input messages in one place (translate_event); posted messages
// come before input, then quit, then paint, then timers, as Windows orders them.
#include "platform/queue.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/cursor.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "platform/window_table.h"

namespace platform {
namespace {

constexpr uint32_t kMinimumTimerInterval = 10;

// A queued message with the character its key-down stands for (0: none), which translate_message posts.
struct Entry {
    MSG msg;
    uint16_t character;
};

struct Timer {
    HWND window;
    uint32_t id;
    uint32_t interval;
    uint32_t due;
};

struct Queue {
    std::deque<Entry> posted;
    std::deque<Entry> input;
    std::vector<Timer> timers;
    bool quit = false;
    int32_t exit_code = 0;
    Entry last_key{};                          // the key message most recently taken, for translate_message
    uint32_t buttons = 0;                      // MK_ button bits as the layer has seen them
    POINT last_pointer{INT32_MIN, INT32_MIN};  // screen position of the latest motion message
    POINT last_global{INT32_MIN, INT32_MIN};   // the global pointer position as last read
    uint32_t next_thread_timer = 0x7FFF;
};

Queue& queue() {
    static Queue* instance = new Queue;
    return *instance;
}

bool in_range(uint32_t message, uint32_t first, uint32_t last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool for_window(HWND target, HWND filter) {
    if (!filter) return true;
    for (HWND window = target; window; window = get_parent(window)) {
        if (window == filter) return true;
    }
    return false;
}

bool is_key_message(uint32_t message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

MSG make_msg(HWND window, int32_t message, WPARAM wparam, LPARAM lparam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = static_cast<uint32_t>(message);
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = get_tick_count();
    get_cursor_pos(&msg.pt);
    return msg;
}

// Consecutive pending motion collapses into the latest position, as Windows does.
void post_input(const Entry& entry) {
    std::deque<Entry>& input = queue().input;
    if (entry.msg.message == WM_MOUSEMOVE && !input.empty() && input.back().msg.message == WM_MOUSEMOVE &&
        input.back().msg.hwnd == entry.msg.hwnd) {
        input.back() = entry;
        return;
    }
    input.push_back(entry);
}

int32_t modifier_bits() {
    const SDL_Keymod mods = SDL_GetModState();
    return ((mods & KMOD_SHIFT) ? MK_SHIFT : 0) | ((mods & KMOD_CTRL) ? MK_CONTROL : 0);
}

// A mouse message at a point of a top-level window's client area, for the capturing window or else the
// window under the point, in that window's client coordinates.
void post_mouse(HWND top, int32_t message, POINT point, uint32_t buttons) {
    const Window* top_window = find_window(top);
    if (!top_window) return;
    const POINT screen{top_window->rect.left + point.X, top_window->rect.top + point.Y};
    HWND target = get_capture();
    POINT local{};
    if (target) {
        POINT origin{0, 0};
        client_to_screen(target, &origin);
        local = POINT{screen.X - origin.X, screen.Y - origin.Y};
    } else {
        target = window_at(top, point, &local);
    }
    Entry entry{make_msg(target, message, static_cast<WPARAM>(buttons) | modifier_bits(), MAKELPARAM(local.X, local.Y)),
                0};
    entry.msg.pt = screen;
    if (message == WM_MOUSEMOVE) queue().last_pointer = screen;
    post_input(entry);
}

uint32_t mk_from_sdl_state(uint32_t state) {
    return ((state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0) | ((state & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0) |
           ((state & SDL_BUTTON_MMASK) ? MK_MBUTTON : 0);
}

void post_button(const SDL_MouseButtonEvent& event) {
    const HWND top = window_from_native_id(event.windowID);
    int32_t message = 0;
    uint32_t bit = 0;
    switch (event.button) {
        case SDL_BUTTON_LEFT:
            message = WM_LBUTTONDOWN, bit = MK_LBUTTON;
            break;
        case SDL_BUTTON_RIGHT:
            message = WM_RBUTTONDOWN, bit = MK_RBUTTON;
            break;
        case SDL_BUTTON_MIDDLE:
            message = WM_MBUTTONDOWN, bit = MK_MBUTTON;
            break;
        default:
            return;
    }
    uint32_t& buttons = queue().buttons;
    if (event.state == SDL_PRESSED) {
        buttons |= bit;
    } else {
        buttons &= ~bit;
        ++message;  // each button's up message follows its down message
    }
    post_mouse(top, message, POINT{event.x, event.y}, buttons);
}

// Characters that no text event brings: control keys, and Ctrl with a letter.
uint16_t control_character(int32_t vk, bool control) {
    if (control && vk >= 'A' && vk <= 'Z') return static_cast<uint16_t>(vk - 'A' + 1);
    switch (vk) {
        case VK_BACK:
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
            return static_cast<uint16_t>(vk);
        default:
            return 0;
    }
}

// Keys go to the window that has the keyboard. SDL applies X11 focus changes late and meanwhile reports
// keys without a window; they still belong to the foreground window, or else to the one that had the
// last key, as they would on Windows.
HWND key_target(uint32_t native_id) {
    if (const HWND window = window_from_native_id(native_id)) return window;
    if (const HWND foreground = get_foreground_window()) return foreground;
    const HWND previous = queue().last_key.msg.hwnd;
    return is_window(previous) ? previous : 0;
}

void post_key(const SDL_KeyboardEvent& event) {
    const HWND window = key_target(event.windowID);
    const int32_t vk = virtual_key_from_sdl(event.keysym.sym);
    if (!window || !vk) return;
    const bool down = event.state == SDL_PRESSED;
    const bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    // Alt combinations, Alt itself and F10 are system keys (they drive the menu on Windows).
    const bool system = alt || vk == VK_MENU || vk == VK_F10;
    const int32_t message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    uint32_t lparam = 1u | ((static_cast<uint32_t>(event.keysym.scancode) & 0xFFu) << 16);
    if (alt) lparam |= 1u << 29;
    if (!down || event.repeat) lparam |= 1u << 30;
    if (!down) lparam |= 1u << 31;
    const bool control = (event.keysym.mod & KMOD_CTRL) != 0;
    post_input(Entry{make_msg(window, message, vk, static_cast<LPARAM>(lparam)),
                     down ? control_character(vk, control) : uint16_t{0}});
}

// The first character of UTF-8 text, in Windows-1252 where it has a place there (0 otherwise).
uint16_t first_character(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    uint32_t code = 0;
    if (p[0] < 0x80) {
        code = p[0];
    } else if ((p[0] & 0xE0) == 0xC0 && (p[1] & 0xC0) == 0x80) {
        code = ((p[0] & 0x1Fu) << 6) | (p[1] & 0x3Fu);
    }
    return (code >= 0x80 && code < 0xA0) || code > 0xFF ? 0 : static_cast<uint16_t>(code);
}

// SDL reports the text of a key press after the press: it belongs to the latest untranslated key-down.
void attach_text(const SDL_TextInputEvent& event) {
    const HWND window = window_from_native_id(event.windowID);
    const uint16_t character = first_character(event.text);
    if (!window || !character) return;
    std::deque<Entry>& input = queue().input;
    for (auto entry = input.rbegin(); entry != input.rend(); ++entry) {
        const uint32_t message = entry->msg.message;
        if (entry->msg.hwnd == window && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
            entry->character = character;
            return;
        }
    }
    if (queue().last_key.msg.hwnd == window) queue().last_key.character = character;
}

void window_event(const SDL_WindowEvent& event) {
    const HWND window = window_from_native_id(event.windowID);
    Window* record = find_window(window);
    if (!record) return;
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            post_message(window, WM_CLOSE, 0, 0);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            invalidate_rect(window, nullptr, 1);
            break;
        case SDL_WINDOWEVENT_ENTER:
            apply_class_cursor(window);
            break;
        case SDL_WINDOWEVENT_MOVED: {
            const int32_t width = record->rect.right - record->rect.left;
            const int32_t height = record->rect.bottom - record->rect.top;
            record->rect = RECT{event.data1, event.data2, event.data1 + width, event.data2 + height};
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            window_system().foreground = window;
            post_message(window, WM_ACTIVATE, 1, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (window_system().foreground == window) window_system().foreground = 0;
            post_message(window, WM_ACTIVATE, 0, 0);
            break;
        default:
            break;
    }
}

// The one place where SDL events become messages.
void translate_event(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            post_key(event.key);
            break;
        case SDL_TEXTINPUT:
            attach_text(event.text);
            break;
        case SDL_MOUSEMOTION:
            post_mouse(window_from_native_id(event.motion.windowID), WM_MOUSEMOVE,
                       POINT{event.motion.x, event.motion.y}, mk_from_sdl_state(event.motion.state));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            post_button(event.button);
            break;
        case SDL_WINDOWEVENT:
            window_event(event.window);
            break;
        default:
            break;
    }
}

// While a window holds the capture, motion outside every window of ours still reaches it: SDL reports it
// only when its own capture took hold, so the pointer is also followed directly. SDL's global pointer
// state can lag behind its motion events (it is refreshed from raw input), so only a change of the
// global reading itself counts; otherwise a stale reading would overwrite the newer event position.
void follow_captured_pointer() {
    const HWND capture = get_capture();
    const HWND top = top_level_of(capture);
    const Window* top_window = find_window(top);
    if (!top_window || !top_window->native) return;
    POINT screen{};
    get_cursor_pos(&screen);
    Queue& state = queue();
    const bool moved = screen.X != state.last_global.X || screen.Y != state.last_global.Y;
    state.last_global = screen;
    if (!moved || (screen.X == state.last_pointer.X && screen.Y == state.last_pointer.Y)) return;
    post_mouse(top, WM_MOUSEMOVE, POINT{screen.X - top_window->rect.left, screen.Y - top_window->rect.top},
               state.buttons | mk_from_sdl_state(SDL_GetGlobalMouseState(nullptr, nullptr)));
}

void pump_events() {
    std::vector<HWND> unrealised;
    window_system().windows.for_each([&](HWND handle, const Window& window) {
        if (!window.parent && window.visible && !window.native) unrealised.push_back(handle);
    });
    for (HWND handle : unrealised) realise_native(handle);
    if (!video_started()) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) translate_event(event);
    follow_captured_pointer();
}

bool take_from(std::deque<Entry>& from, MSG* msg, HWND filter, uint32_t first, uint32_t last, bool remove) {
    for (auto entry = from.begin(); entry != from.end(); ++entry) {
        if (!in_range(entry->msg.message, first, last) || !for_window(entry->msg.hwnd, filter)) continue;
        *msg = entry->msg;
        if (remove) {
            if (is_key_message(entry->msg.message)) queue().last_key = *entry;
            from.erase(entry);
        }
        return true;
    }
    return false;
}

bool paint_message(MSG* msg, HWND filter, uint32_t first, uint32_t last) {
    if (!in_range(WM_PAINT, first, last)) return false;
    HWND found = 0;
    window_system().windows.for_each([&](HWND handle, const Window& window) {
        if (!found && window.visible && window.needs_paint && for_window(handle, filter)) found = handle;
    });
    if (!found) return false;
    *msg = make_msg(found, WM_PAINT, 0, 0);
    return true;
}

bool timer_message(MSG* msg, HWND filter, uint32_t first, uint32_t last, bool remove) {
    if (!in_range(WM_TIMER, first, last)) return false;
    const uint32_t now = get_tick_count();
    for (Timer& timer : queue().timers) {
        if (static_cast<int32_t>(now - timer.due) < 0 || !for_window(timer.window, filter)) continue;
        *msg = make_msg(timer.window, WM_TIMER, static_cast<WPARAM>(timer.id), 0);
        if (remove) timer.due = now + timer.interval;
        return true;
    }
    return false;
}

bool next_message(MSG* msg, HWND filter, uint32_t first, uint32_t last, bool remove) {
    pump_events();
    Queue& state = queue();
    if (take_from(state.posted, msg, filter, first, last, remove)) return true;
    if (take_from(state.input, msg, filter, first, last, remove)) return true;
    if (state.quit && in_range(WM_QUIT, first, last)) {
        *msg = make_msg(0, WM_QUIT, state.exit_code, 0);
        if (remove) state.quit = false;
        return true;
    }
    return paint_message(msg, filter, first, last) || timer_message(msg, filter, first, last, remove);
}

// How long get_message may sleep before a timer falls due.
uint32_t until_next_timer() {
    uint32_t wait = 50;
    const uint32_t now = get_tick_count();
    for (const Timer& timer : queue().timers) {
        const int32_t left = static_cast<int32_t>(timer.due - now);
        wait = std::min<uint32_t>(wait, left > 0 ? static_cast<uint32_t>(left) : 0);
    }
    return wait;
}

}  // namespace

void forget_window_messages(HWND window) {
    Queue& state = queue();
    for (std::deque<Entry>* from : {&state.posted, &state.input}) {
        from->erase(std::remove_if(from->begin(), from->end(), [&](const Entry& e) { return e.msg.hwnd == window; }),
                    from->end());
    }
    auto& timers = state.timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == window; }),
                 timers.end());
    if (state.last_key.msg.hwnd == window) state.last_key = Entry{};
}

int32_t peek_message(MSG* msg, HWND window, uint32_t first, uint32_t last, uint32_t remove) {
    if (!msg) return 0;
    return next_message(msg, window, first, last, (remove & PM_REMOVE) != 0) ? 1 : 0;
}

int32_t get_message(MSG* msg, HWND window, uint32_t first, uint32_t last) {
    if (!msg) return -1;
    while (!next_message(msg, window, first, last, true)) {
        const uint32_t wait = until_next_timer();
        if (video_started()) {
            SDL_WaitEventTimeout(nullptr, static_cast<int>(std::max<uint32_t>(wait, 1)));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::max<uint32_t>(wait, 1)));
        }
    }
    return msg->message == WM_QUIT ? 0 : 1;
}

int32_t translate_message(const MSG* msg) {
    if (!msg || !is_key_message(msg->message)) return 0;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return 1;
    const Entry& key = queue().last_key;
    const bool same = key.msg.hwnd == msg->hwnd && key.msg.message == msg->message && key.msg.wParam == msg->wParam &&
                      key.msg.lParam == msg->lParam;
    const uint16_t character = same && key.character ? key.character : control_character(msg->wParam, false);
    if (character) {
        post_message(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, character, msg->lParam);
    }
    return 1;
}

LRESULT dispatch_message(const MSG* msg) {
    if (!msg) return 0;
    return send_message(msg->hwnd, static_cast<int32_t>(msg->message), msg->wParam, msg->lParam);
}

LRESULT send_message(HWND window, int32_t message, WPARAM wparam, LPARAM lparam) {
    const Window* record = find_window(window);
    if (!record || !record->procedure) return 0;
    const WNDPROC procedure = record->procedure;
    return procedure(window, message, wparam, lparam);
}

int32_t post_message(HWND window, int32_t message, WPARAM wparam, LPARAM lparam) {
    if (window && !is_window(window)) return 0;
    queue().posted.push_back(Entry{make_msg(window, message, wparam, lparam), 0});
    return 1;
}

void post_quit_message(int32_t exit_code) {
    queue().quit = true;
    queue().exit_code = exit_code;
}

uint32_t set_timer(HWND window, uint32_t id, uint32_t elapse, void*) {
    if (window && !is_window(window)) return 0;
    Queue& state = queue();
    if (!window) id = ++state.next_thread_timer;
    if (id == 0) id = 1;
    const uint32_t interval = std::max(elapse, kMinimumTimerInterval);
    const Timer timer{window, id, interval, get_tick_count() + interval};
    auto existing = std::find_if(state.timers.begin(), state.timers.end(),
                                 [&](const Timer& t) { return t.window == window && t.id == id; });
    if (existing != state.timers.end()) {
        *existing = timer;
    } else {
        state.timers.push_back(timer);
    }
    return id;
}

int32_t kill_timer(HWND window, uint32_t id) {
    auto& timers = queue().timers;
    const auto before = timers.size();
    timers.erase(
        std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == window && t.id == id; }),
        timers.end());
    return timers.size() != before ? 1 : 0;
}

}  // namespace platform
