// The corvel framework's whole public interface.
#pragma once

#include "corvel/array.h"
#include "corvel/billboard.h"
#include "corvel/input.h"
#include "corvel/math.h"
#include "corvel/random.h"
#include "corvel/recorder.h"
#include "corvel/setup.h"
#include "corvel/state.h"
#include "corvel/texture.h"
#include "corvel/tga.h"
#include "corvel/types.h"
#include "corvel/window.h"
#include "corvel/wndproc.h"
