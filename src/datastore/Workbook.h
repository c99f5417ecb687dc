#pragma once

#include "workbookreader/WorksheetCells.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QProcess;

// How the program waits for the reader process. Without one, Load waits on the calling
// thread; the window hands one in that keeps it repainting and lets the user stop the reading.
class ReaderWait {
public:
    enum Outcome { Finished, TimedOut, Cancelled };
    virtual ~ReaderWait() = default;
    // Returns when `reader` has finished, `milliseconds` have passed or the user has cancelled.
    virtual Outcome Wait(QProcess &reader, int milliseconds) = 0;
};

// A workbook (.xls or .xlsx) read whole into memory, so that importing it never depends on
// the file once the database work has begun.
//
// The file is read by a process of its own (kaowu-workbook-reader, beside the program), with
// a time and a memory limit: a damaged or hostile file that crashes, hangs or exhausts the
// reader ends that process only, and Load says so; the program and its open documents go on.
class Workbook {
public:
    static constexpr int kTimeLimitSeconds = 30;
    static constexpr int kMemoryLimitMegabytes = 1536;

    // Reads every sheet of `path`; false (with ErrorText set) when it cannot be read. `wait`
    // (not owned) waits for the reader; a reading cancelled there ends the reader, and
    // Cancelled() tells so.
    bool Load(const QString &path, ReaderWait *wait = nullptr);
    QString ErrorText() const { return m_error; }
    bool Cancelled() const { return m_cancelled; }

    QStringList SheetNames() const;
    // The sheet named `name`, compared without regard to case; nullptr when there is none.
    const WorksheetCells *Sheet(const QString &name) const;
    // Hands the sheet's cells over (the workbook keeps an empty sheet of that name), so that
    // an import holds one copy of them.
    WorksheetCells TakeSheet(const QString &name);

    // The reader program: beside the running program, else where the build put it.
    static QString ReaderProgram();
    // Makes Load start `program` (empty: the real reader) with other limits (tests stand in
    // readers that crash or hang, or starve the real one); no arguments restore them all.
    static void UseReaderForTests(
        const QString &program = QString(), int seconds = kTimeLimitSeconds, int megabytes = kMemoryLimitMegabytes);

private:
    bool checkFile(const QString &path);
    bool runReader(const QString &path, ReaderWait *wait);

    QVector<WorksheetCells> m_sheets;
    QString m_error;
    bool m_cancelled = false;
};
