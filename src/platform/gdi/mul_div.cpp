#include <cstdint>
#include <cstdlib>
#include <limits>

#include "platform/gdi/gdi.h"

// Windows: the product in 64 bits divided and "rounded to the nearest
// integer"; halves round away from zero. -1 for a zero denominator or a
// result beyond 32 bits.
int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) return -1;
    const std::int64_t product = std::int64_t{number} * numerator;
    const std::int64_t magnitude = std::llabs(product);
    const std::int64_t divisor = std::llabs(std::int64_t{denominator});
    const std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    const std::int64_t result = (product < 0) != (denominator < 0) ? -quotient : quotient;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(result);
}
