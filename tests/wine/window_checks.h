// GoogleTest checks of windows, with messages that say what was seen.
#ifndef BRELLOX_TESTS_WINDOW_CHECKS_H
#define BRELLOX_TESTS_WINDOW_CHECKS_H

#include "harness.h"

#include <gtest/gtest.h>

inline ::testing::AssertionResult HasRect(HWND hwnd, const RECT &expected)
{
    RECT actual = RectOf(hwnd);
    if (SameRect(actual, expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "window at (" << actual.left << "," << actual.top << ")-(" << actual.right
                                         << "," << actual.bottom << "), expected (" << expected.left << ","
                                         << expected.top << ")-(" << expected.right << "," << expected.bottom << ")";
}

#endif
