// The system part of the input hooks on this platform: an application-wide event filter
// that hands the mouse's presses, releases and moves to the hook procedure and swallows
// an event the procedure answers (non-zero).
#pragma once

#include "ZelWindowsHook.h"

// Makes the Qt hook system the process's one (once; later calls change nothing).
void ZelUseQtHookSystem();
