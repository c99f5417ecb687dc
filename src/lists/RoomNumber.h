#pragma once

#include <cmath>
#include <limits>
#include <optional>

// The whole room number a list looks a location up by: the value rounded, nothing for a value
// no room can have (not a number, or beyond any int).
inline std::optional<int> RoomNumber(double value)
{
    if (!std::isfinite(value) || std::abs(value) > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(std::lround(value));
}
