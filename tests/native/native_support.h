// What the unit tests of the rules share: the 1024x768 screen their examples
// are given on, and made-up window handles.
#ifndef BRELLOX_TESTS_NATIVE_SUPPORT_H
#define BRELLOX_TESTS_NATIVE_SUPPORT_H

#include "core/settings.h"
#include "platform/platform_types.h"

#include <cstdint>

const ScreenSize kScreen1024 = {1024, 768};
const RECT kMonitor1024 = {0, 0, 1024, 768};

inline HWND Handle(uintptr_t n)
{
    return reinterpret_cast<HWND>(n);
}

#endif
