// The thread's message queue with Windows semantics: posted messages, input from SDL's events, quit,
// paint and timer messages; peek, get, translate, dispatch; synchronous send.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// Non-zero when a message matching the window filter (0: any; a window also matches its children) and
// the message range (0, 0: all) waits; copies it, and takes it off the queue with PM_REMOVE. Never waits.
int32_t peek_message(MSG* msg, HWND window, uint32_t first, uint32_t last, uint32_t remove);
// Waits for a matching message and takes it; returns 0 for WM_QUIT, otherwise 1 (-1 without a record).
int32_t get_message(MSG* msg, HWND window, uint32_t first, uint32_t last);
// Key-down messages post their character (WM_CHAR, or WM_SYSCHAR with Alt); non-zero for key messages.
int32_t translate_message(const MSG* msg);
// Calls the procedure of the message's window; 0 for messages without a live window (WM_QUIT).
LRESULT dispatch_message(const MSG* msg);

// Calls the window's procedure at once and returns its answer; 0 for a stale handle.
LRESULT send_message(HWND window, int32_t message, WPARAM wparam, LPARAM lparam);
// Queues a message for the window (0: for the thread); 0 for a stale window handle.
int32_t post_message(HWND window, int32_t message, WPARAM wparam, LPARAM lparam);
// WM_QUIT comes once every other queued message has been taken.
void post_quit_message(int32_t exit_code);

// WM_TIMER for the window every `elapse` milliseconds (at least 10), when nothing else waits. A window's
// timer with the same id is replaced. Returns the id (non-zero) or 0. Timer procedures are not supported.
uint32_t set_timer(HWND window, uint32_t id, uint32_t elapse, void* timer_procedure);
int32_t kill_timer(HWND window, uint32_t id);

}  // namespace platform
