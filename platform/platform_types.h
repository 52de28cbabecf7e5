// Win32 value types for code that must also compile without the window system.
// On Windows these are the real declarations; elsewhere just enough to hold the
// same values, so the rules can be unit-tested natively.
#ifndef BRELLOX_PLATFORM_TYPES_H
#define BRELLOX_PLATFORM_TYPES_H

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <stddef.h>
#include <stdint.h>

typedef int BOOL;
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef uint8_t BYTE;
typedef DWORD COLORREF;
typedef struct HWND__ *HWND;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#define MAX_PATH 260
#endif

#endif
