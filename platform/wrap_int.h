// 32-bit arithmetic that wraps around as the processor's does, written so that
// the language defines it. Settings such as OpenWidth are not range-checked, so
// positions computed from them may leave the 32-bit range.
#ifndef BRELLOX_WRAP_INT_H
#define BRELLOX_WRAP_INT_H

#include <stdint.h>

inline int32_t WrapAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t WrapSub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

inline int32_t WrapMul(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

#endif
