#include "datastore/Workbook.h"

#include "workbookreader/WorkbookStream.h"
#include "workbookreader/XlsReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString readerName = QStringLiteral("kaowu-workbook-reader");

QString testReader;
int timeLimitSeconds = Workbook::kTimeLimitSeconds;
int memoryLimitMegabytes = Workbook::kMemoryLimitMegabytes;

qint64 megabytes(qint64 bytes)
{
    return (bytes + 1024 * 1024 - 1) / (1024 * 1024);
}

QString failureText(const WorkbookContent &content)
{
    using Failure = WorkbookContent::Failure;
    switch (content.failure) {
    case Failure::None:
        break;
    case Failure::NotAWorkbook:
        return QStringLiteral("无法读取该文件：它既不是 Excel 97-2003 工作簿 (.xls)，也不是 Excel 工作簿 (.xlsx)。"
                              "本程序只能读取这两种格式的工作簿。");
    case Failure::OldFormat:
        return QStringLiteral("无法读取该工作簿：它是 Excel 5.0/95 或更早版本的格式。请在 Excel 中将它另存为 "
                              "Excel 97-2003 工作簿 (.xls) 或 Excel 工作簿 (.xlsx) 后再导入。");
    case Failure::Protected:
        return QStringLiteral("无法读取该工作簿：它设有密码保护，请先在 Excel 中取消密码。");
    case Failure::Damaged:
        return QStringLiteral("无法读取该工作簿，文件可能已损坏。");
    case Failure::TooLarge:
        return QStringLiteral("无法读取该工作簿：工作表 %1 自称有 %2 行、%3 列，超出了 .xls 工作表最多 %4 行、%5 列的"
                              "上限，文件已损坏。")
            .arg(content.sheet)
            .arg(content.claimedRows)
            .arg(content.claimedColumns)
            .arg(XlsReader::kMaxRows)
            .arg(XlsReader::kMaxColumns);
    case Failure::OutOfMemory:
        return QStringLiteral("读取该工作簿需要的内存超过 %1 MB，已停止读取，文件可能已损坏。")
            .arg(memoryLimitMegabytes);
    case Failure::TooManyCells:
        return QStringLiteral("无法导入该工作簿：它共有 %1 个单元格，超过了一次导入最多 %2 个单元格的上限。")
            .arg(content.amount)
            .arg(WorkbookContent::kMaxCells);
    case Failure::TooMuchText:
        // In megabytes as the program holds them, two bytes a character.
        return QStringLiteral("无法导入该工作簿：它的单元格中的文字共有 %1 MB，超过了一次导入最多 %2 MB 的上限。")
            .arg(megabytes(content.amount * 2))
            .arg(megabytes(WorkbookContent::kMaxTextCharacters * 2));
    case Failure::TooLargeToHandOver:
        return QStringLiteral("无法导入该工作簿：它太大，读取程序交出它的单元格时需要的内存超过 %1 MB。")
            .arg(memoryLimitMegabytes);
    }
    return QString();
}

} // namespace

QString Workbook::ReaderProgram()
{
    if (!testReader.isEmpty())
        return testReader;
    if (QCoreApplication::instance()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(readerName);
        if (QFileInfo(beside).isExecutable())
            return beside;
    }
    return QStringLiteral(KAOWU_WORKBOOK_READER);
}

void Workbook::UseReaderForTests(const QString &program, int seconds, int megabytes)
{
    testReader = program;
    timeLimitSeconds = seconds;
    memoryLimitMegabytes = megabytes;
}

bool Workbook::Load(const QString &path, ReaderWait *wait)
{
    m_sheets.clear();
    m_error.clear();
    m_cancelled = false;
    return checkFile(path) && runReader(path, wait);
}

bool Workbook::checkFile(const QString &path)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.exists())
        m_error = QStringLiteral("找不到文件 %1。").arg(shown);
    else if (info.isDir())
        m_error = QStringLiteral("%1 是一个文件夹，不是工作簿文件。").arg(shown);
    else if (!info.isFile())
        m_error = QStringLiteral("%1 不是普通文件（可能是管道或设备），只能读取保存在磁盘上的工作簿文件。").arg(shown);
    else if (QFile file(path); !file.open(QIODevice::ReadOnly))
        m_error = QStringLiteral("没有读取文件 %1 的权限。").arg(shown);
    return m_error.isEmpty();
}

bool Workbook::runReader(const QString &path, ReaderWait *wait)
{
    const int seconds = timeLimitSeconds;
    QProcess reader;
    reader.setStandardErrorFile(QProcess::nullDevice());
    reader.setStandardInputFile(QProcess::nullDevice());
    reader.start(ReaderProgram(),
        { QString::number(seconds), QString::number(memoryLimitMegabytes), QFileInfo(path).absoluteFilePath() },
        QIODevice::ReadOnly);
    if (!reader.waitForStarted()) {
        m_error = QStringLiteral("找不到工作簿读取程序 %1，无法导入。请重新安装本程序。")
                      .arg(QDir::toNativeSeparators(ReaderProgram()));
        return false;
    }
    // The reader's output is gathered while waiting; a reader still busy at the limit is
    // stopped (its own CPU limit is the same, for a loop that would outlive the program).
    const ReaderWait::Outcome outcome = wait ? wait->Wait(reader, seconds * 1000)
        : reader.waitForFinished(seconds * 1000)   ? ReaderWait::Finished
                                                   : ReaderWait::TimedOut;
    if (outcome != ReaderWait::Finished || reader.state() != QProcess::NotRunning) {
        reader.kill();
        reader.waitForFinished();
        m_cancelled = outcome == ReaderWait::Cancelled;
        m_error = m_cancelled
            ? QStringLiteral("已取消读取该工作簿。")
            : QStringLiteral("读取该工作簿超过 %1 秒仍未完成，已停止读取，文件可能已损坏。").arg(seconds);
        return false;
    }
    WorkbookContent content;
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0
        || !WorkbookStream::Decode(reader.readAllStandardOutput(), content)) {
        m_error = QStringLiteral("读取该工作簿时出错，读取程序意外终止，文件可能已损坏。");
        return false;
    }
    m_error = failureText(content);
    if (!m_error.isEmpty())
        return false;
    m_sheets = std::move(content.sheets);
    return true;
}

QStringList Workbook::SheetNames() const
{
    QStringList names;
    for (const WorksheetCells &sheet : m_sheets)
        names << sheet.name;
    return names;
}

const WorksheetCells *Workbook::Sheet(const QString &name) const
{
    for (const WorksheetCells &sheet : m_sheets)
        if (sheet.name.compare(name, Qt::CaseInsensitive) == 0)
            return &sheet;
    return nullptr;
}

WorksheetCells Workbook::TakeSheet(const QString &name)
{
    for (WorksheetCells &sheet : m_sheets)
        if (sheet.name.compare(name, Qt::CaseInsensitive) == 0) {
            WorksheetCells taken = std::move(sheet);
            sheet = WorksheetCells { taken.name, {} };
            return taken;
        }
    return {};
}
