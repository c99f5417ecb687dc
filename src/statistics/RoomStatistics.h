#pragma once

#include <QVariant>

class frmDocument;

// 考场编排/统计: the head counts of every room, one count column per school (精简统计) or per class
// of one school (全面统计), under a totals row "合计". Each returns the document it made, or nullptr
// when it made none (nobody logged in, or the examinee table could not be counted: then one
// message says so).
class RoomStatistics {
public:
    // 精简统计, laid out by itself: every column 38 wide, landscape from 21 columns on.
    static frmDocument *jinjtj_Click();
    // 全面统计 for the school of item `Index` of the menu array tjschoo; item 0 does nothing.
    static frmDocument *tjschoo_Click(int Index);

    // The two reports without the login test.
    static frmDocument *AllSchools();
    static frmDocument *OneSchool(const QVariant &school);

    // The header of a blank school's or class's column.
    static const QString kBlankSchool;
    static const QString kBlankClass;
};
