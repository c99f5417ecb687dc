#pragma once

#include "db/Conversions.h"

#include <QVariant>

#include <cmath>
#include <limits>
#include <optional>

namespace datastore {

// The whole room number a list looks a location up by: the value rounded, nothing for a value
// no room can have (not a number, or beyond any int).
inline std::optional<int> RoomNumber(double value)
{
    if (!std::isfinite(value) || std::abs(value) > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(std::lround(value));
}

// The same for a value of a room-number field: Null gives nothing, a text reads by its leading
// number.
inline std::optional<int> RoomNumber(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return RoomNumber(value.typeId() == QMetaType::QString ? db::Val(value.toString()) : value.toDouble());
}

} // namespace datastore
