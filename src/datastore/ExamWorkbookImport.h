#pragma once

#include "datastore/ImportResult.h"
#include "datastore/ImportTable.h"

#include <QString>

class ReaderWait;

// 导入数据/考场编排数据: replaces the current area's examinee table by the workbook's "Sheet1"
// and its room table by "Sheet2", names the area after the workbook file and shows every
// examinee column in workbook order.
//
// In two steps, so that the window can ask between them: Read reads and checks everything
// and writes nothing; Write replaces the tables, the area name and the display setting in one
// transaction. Nothing changes unless the workbook is readable, has both sheets, their
// required columns and only usable rooms, exam numbers and seats, and the whole replacement
// succeeds. Never shows a message itself; the caller shows result.message.
class ExamWorkbookImport {
public:
    // `wait` (not owned, may be null) waits for the reader process (see Workbook::Load).
    ImportResult Read(const QString &path, ReaderWait *wait = nullptr);
    // After a successful Read: the examinees the import would replace (and how many of them
    // have a room, an exam number or a seat: an arrangement that would be lost), the examinees
    // it brings, and how many of those lack a room, an exam number or a seat (they appear on
    // no list until the exam is arranged).
    int ExamineesReplaced() const { return m_replaced; }
    int ExamineesReplacedArranged() const { return m_replacedArranged; }
    int ExamineesImported() const { return m_examinees.RowCount(); }
    int ExamineesUnarranged() const;
    ImportResult Write();

private:
    ImportResult readChecked(const QString &path, ReaderWait *wait);

    ImportTable m_examinees;
    ImportTable m_rooms;
    QString m_areaName;
    QString m_notes;
    int m_replaced = 0;
    int m_replacedArranged = 0;
    bool m_ready = false;
};

// Read and Write at once, without asking.
ImportResult ImportExamWorkbook(const QString &path);
