#include "OB_Round.h"

#include <cmath>

int OBSYS_round(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    // Values just below 2^31 would reach 2^31 once the half is added: they clamp as well.
    if (value >= 2147483647.5)
        return 2147483647;
    return static_cast<int>(value >= 0 ? value + 0.5 : value - 0.5);
}
