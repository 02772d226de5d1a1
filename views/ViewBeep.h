// The warning beep of the views (a refused drop, a refused title), through one
// function so that tests can count beeps instead of hearing them.
#pragma once

#include "fw/win/AfxWin.h"

void ViewMessageBeep(UINT uType);

using ViewBeepFn = void (*)(UINT uType);
// Installs a replacement (nullptr: the system's) and returns the previous one.
ViewBeepFn SetViewBeepForTest(ViewBeepFn fn);
