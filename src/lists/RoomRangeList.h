#pragma once

class ShownExamNumber;
class frmDocument;

// 各考场首尾考号: one row per room with its first and last exam number, head count and
// location, for the notices at the doors and the invigilators' sheets.
class RoomRangeList {
public:
    static void qzkh_Click();
    // Fills `document` with one row per room and lays it out.
    // Raises db::Error, the document left empty, when the list's query cannot be saved.
    static void Show(frmDocument &document, const ShownExamNumber &shown);
};
