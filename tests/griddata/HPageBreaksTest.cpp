#include "griddata/HPageBreaks.h"

#include <gtest/gtest.h>

TEST(HPageBreaks, KeepsRowsSortedOnceEach)
{
    HPageBreaks breaks;
    for (int row : { 34, 12, 23, 12, 0, -5 })
        breaks.Add(row);
    EXPECT_EQ(breaks.rows(), (QList<int> { 12, 23, 34 }));
    EXPECT_TRUE(breaks.contains(23));
    EXPECT_FALSE(breaks.contains(24));
}

TEST(HPageBreaks, MoveWithInsertedAndDeletedRows)
{
    struct Case {
        const char *name;
        bool insert;
        int row;
        int count;
        QList<int> expected;
    };
    const QList<Case> cases = {
        { "insert above moves every break", true, 5, 3, { 15, 26, 37 } },
        { "insert at a break moves it", true, 23, 2, { 12, 25, 36 } },
        { "insert below changes nothing", true, 40, 9, { 12, 23, 34 } },
        { "delete above moves breaks up", false, 2, 2, { 10, 21, 32 } },
        { "a deleted row takes its break along", false, 23, 4, { 12, 30 } },
        { "deleting a whole block keeps the pages after it", false, 12, 11, { 12, 23 } },
        { "cutting the grid short drops the breaks below", false, 20, 100, { 12 } },
    };
    for (const Case &c : cases) {
        HPageBreaks breaks;
        for (int row : { 12, 23, 34 })
            breaks.Add(row);
        if (c.insert)
            breaks.insertRows(c.row, c.count);
        else
            breaks.removeRows(c.row, c.count);
        EXPECT_EQ(breaks.rows(), c.expected) << c.name;
    }
}
