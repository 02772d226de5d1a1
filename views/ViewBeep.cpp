#include "views/ViewBeep.h"

namespace {
ViewBeepFn g_beep = nullptr;
}  // namespace

void ViewMessageBeep(UINT uType) {
    if (g_beep)
        g_beep(uType);
    else
        ::MessageBeep(uType);
}

ViewBeepFn SetViewBeepForTest(ViewBeepFn fn) {
    ViewBeepFn old = g_beep;
    g_beep = fn;
    return old;
}
