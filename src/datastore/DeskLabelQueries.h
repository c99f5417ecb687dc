#pragma once

#include <QString>

#include <optional>

// What a desk-label sheet reads of one room: the smallest and largest seat or exam number and
// the room's head count, in one summary query; the labels themselves are computed. Opens and
// closes the data file itself and raises db::Error when it cannot be read.
namespace DeskLabelQueries {

struct NumberSpan {
    // Empty when no examinee of the room has a value in the column.
    std::optional<double> smallest;
    std::optional<double> largest;
    // Examinees of the room, with or without a value.
    int headCount = 0;
};

// `column` is 座位号 or 考号; `room` is a number (the caller checks that before asking).
NumberSpan OfRoom(const QString &column, double room);

} // namespace DeskLabelQueries
