// Decoding the values that declaration rows carry as bit patterns.
#include "script/decl.h"

#include <cmath>
#include <limits>

namespace script {

double extendedValue(std::uint64_t mantissa, std::uint16_t signExponent)
{
    const bool negative = (signExponent & 0x8000) != 0;
    const int exponent = signExponent & 0x7FFF;
    double value;
    if (exponent == 0x7FFF)
        value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    else
        value = static_cast<double>(std::ldexp(static_cast<long double>(mantissa), exponent - 16383 - 63));
    return negative ? std::copysign(value, -1.0) : std::copysign(value, 1.0);
}

} // namespace script
