// The GL window and its context: settings, class registration, creation, status bar, teardown.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace corvel {

void OGLWINDOWSETTING(int32_t TYPECURSOR, const char* CURFILE, int32_t TYPEICON, const char* ICOFILE);
bool CREATEOGLWINDOW(const char* APPNAME, int32_t APPWIDTH, int32_t APPHEIGHT, int32_t APPBITS, bool APPFULLSCREEN);
void DELETEOGLWINDOW();
platform::HWND CREATESTATUSBAR(platform::HWND PARENT);
[[noreturn]] void THROWERROR(const char* PCERRORMESSAGE);
bool WINDOWREGISTER();
platform::HWND WINDOWCREATE(const char* PCAPPLICATIONNAME);
bool WINDOWINIT(platform::HWND HPARENT);

}  // namespace corvel
