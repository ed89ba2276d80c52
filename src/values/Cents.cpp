#include "values/Cents.h"

#include <cmath>
#include <cstdlib>

namespace values {

namespace {

constexpr std::int64_t rateScale = 10000; // a rate in ten-thousandths of a percent

} // namespace

Cents toCents(double amount)
{
    return std::llround(amount * 100.0);
}

Cents percentOf(Cents amount, double percent)
{
    const std::int64_t rate = std::llround(percent * rateScale);
    const std::int64_t divisor = 100 * rateScale;
    const std::int64_t product = amount * rate;
    std::int64_t result = product / divisor;
    const std::int64_t rest = product % divisor;
    if (std::llabs(rest) * 2 >= divisor)
        result += product < 0 ? -1 : 1;
    return result;
}

} // namespace values
