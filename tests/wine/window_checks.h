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
    return ::testing::AssertionFailure() << "window at " << RectText(actual) << ", expected " << RectText(expected);
}

// Waits until the window has that rectangle; a failure says where it is.
inline ::testing::AssertionResult ComesTo(HWND hwnd, const RECT &expected)
{
    if (WaitForRect(hwnd, expected))
        return ::testing::AssertionSuccess();
    return HasRect(hwnd, expected);
}

// Holds for ms unless the window leaves that rectangle; a failure says where
// it went.
inline ::testing::AssertionResult StaysAt(HWND hwnd, const RECT &expected, DWORD ms)
{
    if (HoldsFor([&] { return SameRect(RectOf(hwnd), expected); }, ms))
        return ::testing::AssertionSuccess();
    return HasRect(hwnd, expected);
}

// A check's result streamed into the message of another check that failed
// shows what the check saw, not just that it failed.
namespace testing {
inline std::ostream &operator<<(std::ostream &out, const AssertionResult &result)
{
    return out << result.message();
}
} // namespace testing

#endif
