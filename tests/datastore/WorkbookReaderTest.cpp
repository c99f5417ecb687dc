#include "datastore/Workbook.h"
#include "support/TestAppDir.h"
#include "workbookreader/WorkbookFile.h"
#include "workbookreader/WorkbookStream.h"
#include "workbookreader/XlsxReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <limits>

namespace {

// A cell as the tests write it: "-" empty, "#12.5" a number, "!#N/A" an error, else its text.
QString cellText(const QVariant &cell)
{
    return cell.isNull()                        ? QStringLiteral("-")
        : cell.typeId() == QMetaType::Double ? "#" + cell.toString()
        : CellError::Is(cell)                ? "!" + CellError::Text(cell)
                                             : cell.toString();
}

QStringList rowTexts(const WorksheetCells &sheet)
{
    QStringList rows;
    for (const QVector<QVariant> &row : sheet.rows) {
        QStringList cells;
        for (const QVariant &cell : row)
            cells << cellText(cell);
        rows << cells.join('|');
    }
    return rows;
}

WorkbookContent readFixture(const QString &name)
{
    QFile file(TestAppDir::fixture(name));
    return file.open(QIODevice::ReadOnly) ? WorkbookFile::Read(file.readAll()) : WorkbookContent();
}

// Stands in a reader of its own (a shell script) for the lifetime of the object.
class StandInReader {
public:
    StandInReader(const QString &script, int seconds)
    {
        const QString path = m_dir.filePath("reader.sh");
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write("#!/bin/sh\n" + script.toUtf8() + '\n');
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        Workbook::UseReaderForTests(path, seconds);
    }
    ~StandInReader() { Workbook::UseReaderForTests(); }

private:
    QTemporaryDir m_dir;
};

} // namespace

// Workbooks as LibreOffice Calc saves them (tests/fixtures/make-calc-workbooks.pl): numbers
// in RK and MULRK records (whole, in hundredths, negative, a date among plain numbers), a
// rich-text header and the texts after it, a formula's text in the header and in a cell,
// logical cells constant and computed, errors, texts longer than one record; the same .xlsx
// with its texts inline, and with part paths from the package root and shared-text cells
// without a value; dates counted from 1904. And records as only Excel writes them: a long
// text that changes its width where it is continued, an error typed into a cell.
TEST(SavedWorkbook, CellsReadAsTheSheetShowsThem)
{
    const QString wide = QString(4000, 'a') + QString(5000, QChar(0x957F));
    const QString narrow(9000, 'b');
    struct Cell {
        const char *sheet;
        int row, column;
        QString expected;
    };
    const QVector<Cell> exam = {
        { "Sheet1", 0, 0, "学校" }, { "Sheet1", 0, 1, "班级" }, { "Sheet1", 1, 2, "张伟" }, { "Sheet1", 0, 11, "备注" },
        { "Sheet1", 1, 4, "#88" }, { "Sheet1", 2, 4, "#92.5" }, { "Sheet1", 1, 6, "#101" }, { "Sheet1", 1, 10, "#-3" },
        { "Sheet1", 2, 10, "#2.25" }, { "Sheet1", 1, 8, "2010-03-05" }, { "Sheet1", 2, 8, "2009-12-31" },
        { "Sheet1", 1, 9, "08:30:00" }, { "Sheet1", 1, 11, "第一中学1班" }, { "Sheet1", 2, 11, "王芳" },
        { "Sheet1", 1, 12, "TRUE" }, { "Sheet1", 2, 12, "FALSE" }, { "Sheet1", 1, 13, "TRUE" }, { "Sheet1", 2, 13, "FALSE" },
        { "Sheet1", 1, 14, "!#DIV/0!" }, { "Sheet1", 2, 14, "!#N/A" }, { "Sheet1", 1, 15, wide }, { "Sheet1", 2, 15, narrow },
        { "Sheet2", 1, 0, "#1" }, { "Sheet2", 1, 2, "教学楼101" }, { "Sheet2", 1, 3, "-" }, { "Sheet2", 1, 4, "-" },
    };
    const QVector<Cell> from1904 = { { "Sheet1", 1, 1, "2010-03-05" } };
    const QVector<Cell> excel
        = { { "Sheet1", 1, 0, QString(100, QChar(0x8BED)) + QString(9000, 'c') }, { "Sheet1", 1, 1, "!#DIV/0!" } };
    const std::pair<const char *, const QVector<Cell> &> fixtures[] = {
        { "exam-calc.xls", exam }, { "exam-calc.xlsx", exam }, { "exam-calc-inline.xlsx", exam },
        { "exam-calc-rooted.xlsx", exam }, { "exam-calc-1904.xls", from1904 }, { "exam-calc-1904.xlsx", from1904 },
        { "exam-excel-records.xls", excel },
    };
    for (const auto &[fixture, cells] : fixtures) {
        SCOPED_TRACE(fixture);
        const WorkbookContent content = readFixture(fixture);
        ASSERT_EQ(content.failure, WorkbookContent::Failure::None);
        for (const Cell &cell : cells) {
            const auto sheet = std::find_if(content.sheets.begin(), content.sheets.end(),
                [&](const WorksheetCells &s) { return s.name == cell.sheet; });
            ASSERT_NE(sheet, content.sheets.end()) << cell.sheet;
            const QVariant value = sheet->rows.value(cell.row).value(cell.column);
            EXPECT_EQ(cellText(value), cell.expected) << cell.sheet << " " << cell.row << " " << cell.column;
        }
    }
}

// However many sheet entries name one sheet, it is read once and they share its cells (a
// hostile file of 80,000 such entries would otherwise be read 80,000 times).
TEST(SavedWorkbook, SheetEntriesNamingOneSheetShareItsCells)
{
    for (const char *fixture : { "exam-shared-sheet.xls", "exam-shared-sheet.xlsx" }) {
        SCOPED_TRACE(fixture);
        const WorkbookContent content = readFixture(fixture);
        ASSERT_EQ(content.sheets.size(), 302);
        EXPECT_EQ(content.sheets[301].name, "x300");
        EXPECT_EQ(rowTexts(content.sheets[1]).value(1), "#1|#4|教学楼101");
        EXPECT_EQ(rowTexts(content.sheets[301]).value(1), "第一中学|1班|张伟|男|#88|#1|#101|#1");
        for (qsizetype i = 2; i < content.sheets.size(); ++i)
            ASSERT_EQ(content.sheets[i].rows.constData(), content.sheets[0].rows.constData()) << i;
    }
}

TEST(XlsxSheet, CellsGoWhereTheirReferencesSay)
{
    const QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="s"><v>1</v></c><c r="C1" t="inlineStr"><is><t>内联</t></is></c><c r="D1" t="b"><v>1</v></c></row>
<row r="3"><c r="B3"><v>12.5</v></c><c r="E3" t="b"><v>0</v></c><c r="F3" t="e"><v>#DIV/0!</v></c><c r="G3" t="str"><f>A1</f><v>公式</v></c></row>
<row><c><v>7</v></c><c/><c t="s"><v>0</v></c></row>
<row r="5"><c r="AA5" t="inlineStr"><is><r><t>富</t></r><r><t>文本</t></r><rPh><t>ふ</t></rPh></is></c></row>
</sheetData></worksheet>)";
    WorksheetCells sheet;
    ASSERT_TRUE(XlsxReader::ReadSheet(xml, { "第一", "第二" }, NumberFormats(), sheet));
    const QStringList rows = rowTexts(sheet);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], "第二|-|内联|TRUE");
    EXPECT_EQ(rows[1], "");
    EXPECT_EQ(rows[2], "-|#12.5|-|-|FALSE|!#DIV/0!|公式");
    EXPECT_EQ(rows[3], "#7|-|第一");
    EXPECT_EQ(rows[4].count('|'), 26);
    EXPECT_TRUE(rows[4].endsWith("|富文本"));
}

// A large sheet is read in pieces on several threads, cut after the end of a row: cut every 300
// bytes, every sheet reads as in one go, also where rows and cells go by position instead of
// by number (the pieces then give way to reading in one go), and a sheet cut short after its
// last row is refused alike.
TEST(XlsxSheet, SheetsReadInPiecesReadAsInOneGo)
{
    const QByteArray byPosition = "<worksheet><sheetData>" + QByteArray("<row><c><v>1</v></c><c t=\"inlineStr\"><is><t>x</t></is></c></row>").repeated(40)
        + "<x:row r=\"50\"><x:c r=\"B50\"><x:v>2</x:v></x:c></x:row></sheetData></worksheet>";
    const QByteArray cutShort = "<worksheet><sheetData>" + QByteArray("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>").repeated(40) + "</sheetData>";
    WorksheetCells whole;
    ASSERT_TRUE(XlsxReader::ReadSheet(byPosition, {}, NumberFormats(), whole));
    WorksheetCells cutShortWhole;
    EXPECT_FALSE(XlsxReader::ReadSheet(cutShort, {}, NumberFormats(), cutShortWhole));
    QVector<WorkbookContent> wholeBooks;
    const char *fixtures[] = { "exam-calc.xlsx", "exam-calc-inline.xlsx", "exam-small.xlsx", "exam-shared-sheet.xlsx" };
    for (const char *fixture : fixtures)
        wholeBooks << readFixture(fixture);

    XlsxReader::ReadSheetsInPiecesForTests(300);
    WorksheetCells pieces;
    const bool piecesRead = XlsxReader::ReadSheet(byPosition, {}, NumberFormats(), pieces);
    WorksheetCells cutShortPieces;
    const bool cutShortRead = XlsxReader::ReadSheet(cutShort, {}, NumberFormats(), cutShortPieces);
    QVector<WorkbookContent> pieceBooks;
    for (const char *fixture : fixtures)
        pieceBooks << readFixture(fixture);
    XlsxReader::ReadSheetsInPiecesForTests(0);

    EXPECT_TRUE(piecesRead);
    EXPECT_FALSE(cutShortRead);
    EXPECT_EQ(pieces.rows, whole.rows);
    EXPECT_EQ(whole.rows.size(), 50);
    for (int i = 0; i < wholeBooks.size(); ++i) {
        SCOPED_TRACE(fixtures[i]);
        ASSERT_EQ(pieceBooks[i].failure, WorkbookContent::Failure::None);
        ASSERT_EQ(pieceBooks[i].sheets.size(), wholeBooks[i].sheets.size());
        for (int s = 0; s < wholeBooks[i].sheets.size(); ++s)
            EXPECT_EQ(pieceBooks[i].sheets[s].rows, wholeBooks[i].sheets[s].rows) << s;
    }
}

TEST(XlsxSheet, SharedStringsJoinRunsAndLeaveOutPhoneticGuides)
{
    const QByteArray xml = R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<si><t>学校</t></si><si><r><t>实验</t></r><r><rPr><b/></rPr><t xml:space="preserve"> 中学</t></r><rPh sb="0" eb="2"><t>じっけん</t></rPh></si><si><t/></si></sst>)";
    QStringList strings;
    ASSERT_TRUE(XlsxReader::ReadSharedStrings(xml, strings));
    EXPECT_EQ(strings, QStringList({ "学校", "实验 中学", "" }));
}

TEST(XlsxSheet, ReferencesBeyondTheFormatOrBrokenAreRefused)
{
    for (const char *cell : { R"(<c r="XFE1"><v>1</v></c>)", R"(<c r="A1048577"><v>1</v></c>)", R"(<c r="1A"><v>1</v></c>)",
             R"(<c r="A1" t="s"><v>5</v></c>)" }) {
        SCOPED_TRACE(cell);
        WorksheetCells sheet;
        EXPECT_FALSE(XlsxReader::ReadSheet(QByteArray("<worksheet><sheetData><row>") + cell + "</row></sheetData></worksheet>",
            { "x" }, NumberFormats(), sheet));
    }
}

TEST(NumberFormats, NumbersStyledAsDatesBecomeTheirText)
{
    NumberFormats formats;
    for (int format : { 0, 14, 164, 165, 166, 20, 57, 2 })
        formats.AddStyle(format);
    formats.AddFormat(164, "yyyy\"年\"m\"月\"d\"日\"");
    formats.AddFormat(165, "0.00_);[Red]\\(0.00\\)");
    formats.AddFormat(166, "[$-804]hh:mm");
    struct Case {
        int style;
        double value;
        QVariant expected;
    } cases[] = {
        { 0, 40242, 40242.0 }, { 1, 40242, "2010-03-05" }, { 2, 40242.5, "2010-03-05 12:00:00" },
        { 3, 40242, 40242.0 }, { 4, 0.3541666666666667, "08:30:00" }, { 5, 45444.3229166667, "2024-06-01 07:45:00" },
        { 6, 45444, "2024-06-01" }, { 7, 1.5, 1.5 }, { 9, 3, 3.0 }, { 1, 59, "1900-02-28" }, { 1, 61, "1900-03-01" },
        { 1, -1, -1.0 }, { 0, std::numeric_limits<double>::infinity(), QVariant() },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.style);
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formats.Cell(c.style, c.value), c.expected);
    }
    formats.SetFrom1904(true);
    EXPECT_EQ(formats.Cell(1, 0), QVariant("1904-01-01"));
}

TEST(WorkbookStream, RoundTripsAndRefusesWhatIsCutShort)
{
    // One text in several cells, an error, and a third sheet sharing the first one's cells.
    const QString school = "学校";
    const QString other = "学校";
    WorkbookContent content;
    content.sheets = { { "Sheet1", { { school, QVariant(), 12.5, school }, {}, { QString(), other, CellError::Value("#N/A") } } },
        { "空", {} } };
    content.sheets << WorksheetCells { "同一", content.sheets[0].rows };
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WorkbookStream::Encode(content, buffer);
    WorkbookContent decoded;
    ASSERT_TRUE(WorkbookStream::Decode(buffer.data(), decoded));
    ASSERT_EQ(decoded.sheets.size(), 3);
    EXPECT_EQ(decoded.sheets[0].name, "Sheet1");
    EXPECT_EQ(rowTexts(decoded.sheets[0]), QStringList({ "学校|-|#12.5|学校", "", "|学校|!#N/A" }));
    EXPECT_EQ(decoded.sheets[1].name, "空");
    EXPECT_EQ(decoded.sheets[2].name, "同一");
    EXPECT_EQ(decoded.sheets[2].rows, decoded.sheets[0].rows);
    for (int cut : { 1, 10, int(buffer.data().size()) - 1 })
        EXPECT_FALSE(WorkbookStream::Decode(buffer.data().left(cut), decoded)) << cut;
}

TEST(Workbook, ReaderIsFoundWhereTheBuildPutIt)
{
    const QFileInfo reader(Workbook::ReaderProgram());
    EXPECT_TRUE(reader.isExecutable()) << reader.filePath().toStdString();
    EXPECT_EQ(reader.fileName(), "kaowu-workbook-reader");
}

// Whatever becomes of the reader process, the program gets a message and goes on.
TEST(Workbook, AReaderThatCrashesHangsOrIsMissingGivesAMessage)
{
    struct Case {
        const char *script;
        int seconds;
        const char *message;
    } cases[] = {
        { "kill -SEGV $$", 10, "读取该工作簿时出错，读取程序意外终止，文件可能已损坏。" },
        { "echo garbage; exit 0", 10, "读取该工作簿时出错，读取程序意外终止，文件可能已损坏。" },
        { "exit 3", 10, "读取该工作簿时出错，读取程序意外终止，文件可能已损坏。" },
        { "exec sleep 30", 1, "读取该工作簿超过 1 秒仍未完成，已停止读取，文件可能已损坏。" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        const StandInReader reader(c.script, c.seconds);
        Workbook workbook;
        EXPECT_FALSE(workbook.Load(TestAppDir::fixture("exam-small.xls")));
        EXPECT_EQ(workbook.ErrorText(), QString::fromUtf8(c.message));
        EXPECT_TRUE(workbook.SheetNames().isEmpty());
    }
    Workbook::UseReaderForTests("/nonexistent/kaowu-workbook-reader", 10);
    Workbook workbook;
    EXPECT_FALSE(workbook.Load(TestAppDir::fixture("exam-small.xls")));
    EXPECT_EQ(workbook.ErrorText(), "找不到工作簿读取程序 /nonexistent/kaowu-workbook-reader，无法导入。请重新安装本程序。");
    Workbook::UseReaderForTests();
    EXPECT_TRUE(workbook.Load(TestAppDir::fixture("exam-small.xls")));
    EXPECT_EQ(workbook.SheetNames(), QStringList({ "Sheet1", "Sheet2" }));
}

// The real reader under a memory limit too small for the workbook stops and says so (the limit
// counts what it takes beyond its libraries: 15,000 rows take several megabytes).
TEST(Workbook, AReaderOutOfMemoryStopsAndSaysSo)
{
    Workbook::UseReaderForTests(QString(), Workbook::kTimeLimitSeconds, 1);
    Workbook workbook;
    EXPECT_FALSE(workbook.Load(TestAppDir::fixture("exam-one-text-15000-cells.xlsx")));
    Workbook::UseReaderForTests();
    EXPECT_EQ(workbook.ErrorText(), "读取该工作簿需要的内存超过 1 MB，已停止读取，文件可能已损坏。");
}

// A small file standing for more than an import takes is refused with its size before any cell
// is handed over; cells that fit the reader once but not again as they are handed over make a
// workbook too large, not a damaged one.
TEST(Workbook, WhatAnImportCannotTakeIsRefusedWithItsSize)
{
    struct Case {
        const char *fixture;
        int megabytes;
        const char *message;
    } cases[] = {
        { "exam-one-text-15000-cells.xlsx", Workbook::kMemoryLimitMegabytes,
            "无法导入该工作簿：它的单元格中的文字共有 938 MB，超过了一次导入最多 64 MB 的上限。" },
        { "exam-texts-1000-cells.xlsx", 64,
            "无法导入该工作簿：它太大，读取程序交出它的单元格时需要的内存超过 64 MB。" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        Workbook::UseReaderForTests(QString(), Workbook::kTimeLimitSeconds, c.megabytes);
        Workbook workbook;
        EXPECT_FALSE(workbook.Load(TestAppDir::fixture(c.fixture)));
        Workbook::UseReaderForTests();
        EXPECT_EQ(workbook.ErrorText(), QString::fromUtf8(c.message));
    }
    Workbook workbook;
    EXPECT_TRUE(workbook.Load(TestAppDir::fixture("exam-texts-1000-cells.xlsx")));
}

// What an import takes is bounded whatever the cells share: a row or a text held once and
// used by many cells counts each time.
TEST(WorkbookFile, MoreCellsOrTextThanAnImportTakesIsRefusedWithHowMuch)
{
    using Failure = WorkbookContent::Failure;
    const QVector<QVariant> row(10'000);
    const QString text(32'767, QChar(u'长'));
    struct Case {
        QVector<QVector<QVariant>> rows;
        Failure failure;
        qint64 amount;
    } cases[] = {
        { QVector<QVector<QVariant>>(1'000, row), Failure::None, 0 },
        { QVector<QVector<QVariant>>(1'001, row), Failure::TooManyCells, 10'010'000 },
        { QVector<QVector<QVariant>>(1'025, { text }), Failure::TooMuchText, 1'025 * 32'767 },
        { QVector<QVector<QVariant>>(1'024, { text }), Failure::None, 0 },
    };
    for (const Case &c : cases) {
        WorkbookContent content;
        content.sheets = { { "Sheet1", c.rows } };
        const WorkbookContent bounded = WorkbookFile::Bounded(content);
        EXPECT_EQ(bounded.failure, c.failure) << c.amount;
        EXPECT_EQ(bounded.amount, c.amount);
        EXPECT_EQ(bounded.sheets.size(), c.failure == Failure::None ? 1 : 0);
    }
    // Sheet entries naming one sheet share its cells, and count them each.
    WorkbookContent shared;
    shared.sheets = { { "Sheet1", QVector<QVector<QVariant>>(600, row) } };
    shared.sheets << WorksheetCells { "x1", shared.sheets[0].rows };
    EXPECT_EQ(WorkbookFile::Bounded(shared).amount, 12'000'000);
}
