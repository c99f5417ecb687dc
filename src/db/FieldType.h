#pragma once

namespace db {

// Field types as the program's reports know them; the numbers are the classic DAO codes so that
// stored settings and callers comparing codes keep their meaning.
enum class FieldType {
    Null = 0, // an expression column whose values are all Null
    Boolean = 1,
    Long = 4,
    Double = 7,
    Date = 8,
    Text = 10,
    LongBinary = 11,
    Memo = 12,
};

} // namespace db
