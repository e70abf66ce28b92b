#pragma once

// <windows.h> as the program includes it: without the min and max macros and without the
// parts it does not use. Windows only.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
