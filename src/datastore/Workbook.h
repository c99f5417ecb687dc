#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The cells of one worksheet, row by row: a null QVariant for an empty cell, a double for a
// number, a QString for a text (dates and times come as their text).
struct WorksheetCells {
    QString name;
    QVector<QVector<QVariant>> rows;
};

// An .xls workbook read whole into memory, so that importing it never depends on the file
// once the database work has begun.
class Workbook {
public:
    // Reads every sheet of `path`; false (with errorText set) when the file cannot be read
    // as a workbook.
    bool Load(const QString &path);
    QString ErrorText() const { return m_error; }

    QStringList SheetNames() const;
    // The sheet named `name`, compared without regard to case; nullptr when there is none.
    const WorksheetCells *Sheet(const QString &name) const;

private:
    bool readSheet(const void *handle, unsigned short index);

    QVector<WorksheetCells> m_sheets;
    QString m_error;
};
