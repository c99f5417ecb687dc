#pragma once

#include "datastore/Workbook.h"

#include <QString>

class QWidget;

// Waits for the workbook reader with a progress dialog over `parent`: the window goes on
// repainting while a large or hostile workbook is read, and 取消 (or Esc, or closing the
// dialog) stops the reading. The dialog shows only when the reading takes a moment.
class ReaderProgress : public ReaderWait {
public:
    ReaderProgress(QWidget *parent, const QString &fileName);
    Outcome Wait(QProcess &reader, int milliseconds) override;

private:
    QWidget *m_parent;
    QString m_fileName;
};
