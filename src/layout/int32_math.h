#pragma once

#include <cstdint>

// 32-bit signed arithmetic that wraps around as the machine does instead of
// being undefined on overflow: lengths and weights come from user text.
namespace ze::int32_math {

inline std::int32_t Add(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

inline std::int32_t Sub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

inline std::int32_t Mul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// Truncates toward zero; 0 for a zero divisor, and the one quotient that does
// not fit (INT32_MIN / -1) wraps to INT32_MIN.
inline std::int32_t Div(std::int32_t a, std::int32_t b) {
    if (b == 0) {
        return 0;
    }
    if (b == -1) {
        return Sub(0, a);
    }
    return a / b;
}

}  // namespace ze::int32_math
