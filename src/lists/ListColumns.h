#pragma once

class FillRecord;
class Grid;
class ShownExamNumber;

// The fields of a list's records that are shown with prefix and zeros: 考号, 考场 and 座位号,
// found by name; -1 for one the display settings hide. The room of each record comes from the
// list's helper field, its last, so the zeros are right even when the room column is hidden.
struct ListColumns {
    int examNumber = -1;
    int room = -1;
    int seat = -1;
    int roomKey = -1;

    static ListColumns Of(const FillRecord &record);

    // Writes the shown exam number, room and seat of `record` into its row (field i is column
    // i + 1). An empty value stays empty.
    void Write(Grid &grid, int row, const FillRecord &record, const ShownExamNumber &shown) const;
};
