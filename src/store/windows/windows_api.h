// The Windows API, without the macros that would rename the game's own functions
// (Framework::MessageBox).
#pragma once

#include <windows.h>

#undef MessageBox
