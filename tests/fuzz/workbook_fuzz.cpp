// Feeds arbitrary bytes to the workbook readers. Each input is read twice:
// - in this process, by the readers compiled here with coverage and sanitizers, so that the
//   fuzzer is guided into them and any fault of theirs is found;
// - as the program reads it, through the reader process: whatever that process does, the
//   program must get either sheets or a message, never a crash, a hang or neither.
#include "datastore/Workbook.h"
#include "workbookreader/WorkbookFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const WorkbookContent content = WorkbookFile::Read(bytes);
    if (content.failure != WorkbookContent::Failure::None && !content.sheets.isEmpty())
        std::abort();

    const QString path = dir.filePath(QStringLiteral("input"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    Workbook workbook;
    const bool loaded = workbook.Load(path);
    if (loaded == !workbook.ErrorText().isEmpty())
        std::abort();
    // Both readers are the same code: what one reads, the other reads alike.
    if (loaded != (content.failure == WorkbookContent::Failure::None))
        std::abort();
    return 0;
}
