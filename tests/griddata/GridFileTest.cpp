#include "griddata/GridFile.h"
#include "griddata/GridData.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray pngBytes(QColor color)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A ticket-like grid that sets every stored property to something other than its default.
GridData everything()
{
    GridData data;
    data.setCols(16);
    data.setRows(12);
    QFont font(QStringLiteral("黑体"));
    font.setPointSizeF(12);
    data.setDefaultFont(font);
    data.setDisplayRowIndex(true);
    data.setRowHeight(3, 0);
    data.setRowIndexHidden(11, true);
    data.setRowHeight(4, 33);
    data.setColWidth(2, 0);
    data.setColWidth(11, 120);
    data.setMask(1, MaskText);
    data.setMask(5, MaskNumber);
    data.setColAlignment(4, 9);
    data.setFormatString(5, QStringLiteral("0.00"));
    data.setColCellType(7, CellTypeCheckBox);

    data.setText(1, 1, QStringLiteral("准考证"));
    data.setText(4, 4, QStringLiteral("A0012"));
    data.setText(5, 11, QStringLiteral("引号\"、反斜杠\\ 和\n换行"));
    data.setTag(1, 0, QStringLiteral("U"));
    data.setCellType(4, 11, CellTypeDropDown);
    data.setCellType(6, 7, CellTypeCheckBox);
    data.setText(6, 7, QStringLiteral("1"));

    const CellStyle title { .fontName = QStringLiteral("宋体"),
        .fontSize = 18,
        .bold = true,
        .italic = true,
        .underline = true,
        .foreColor = 0x0000FF,
        .backColor = 0xCCEEFF,
        .alignment = 10,
        .wrap = true };
    data.setStyle(1, 1, title);
    data.setBorder({ 4, 1, 9, 15 }, EdgeTop, LineThick);
    data.setBorder({ 4, 1, 9, 15 }, EdgeInsideHorizontal, LineThin);
    data.setBorder({ 2, 2, 2, 2 }, EdgeDiagonalDown, LineThin);
    data.merge({ 1, 1, 1, 15 });
    data.merge({ 3, 13, 8, 13 });

    data.images().addData(QStringLiteral("1001"), pngBytes(Qt::red));
    data.images().addData(QStringLiteral("照片2"), pngBytes(Qt::blue));
    data.setImageKey(3, 13, QStringLiteral("1001"));

    data.pageSetup() = { .Orientation = 2,
        .LeftMargin = 1,
        .RightMargin = 1.5,
        .TopMargin = 1,
        .BottomMargin = 0.3,
        .HeaderMargin = 0.25,
        .FooterMargin = 0,
        .BlackAndWhite = true,
        .PrintFixedRow = true,
        .PrintFixedColumn = true,
        .PrintGridlines = true,
        .PrintTitleRows = 2,
        .CenterHorizontally = true,
        .Header = QStringLiteral("第 12 考场"),
        .HeaderAlignment = 2,
        .Footer = QStringLiteral("共&n页  第&p页"),
        .FooterAlignment = 0,
        .PaperSize = QPageSize::B5 };
    data.reportTitles().Add({ .text = QStringLiteral("考场名单"),
        .Font = { QStringLiteral("宋体"), 14 },
        .AlignTo = 0,
        .PrintOnAllPages = true });
    data.reportTitles().Add({ .text = QStringLiteral("||"),
        .Font = { QStringLiteral("Arial"), 10 },
        .AlignTo = 1,
        .PrintOnAllPages = false });
    data.hPageBreaks().Add(5);
    data.hPageBreaks().Add(9);
    return data;
}

std::vector<CellRange> sortedMerges(const GridData &data)
{
    std::vector<CellRange> merges = data.merges();
    std::sort(merges.begin(), merges.end(),
        [](const CellRange &a, const CellRange &b) { return std::tie(a.row1, a.col1) < std::tie(b.row1, b.col1); });
    return merges;
}

void expectSameGrid(const GridData &a, const GridData &b)
{
    ASSERT_EQ(a.rows(), b.rows());
    ASSERT_EQ(a.cols(), b.cols());
    EXPECT_EQ(a.defaultFont().family(), b.defaultFont().family());
    EXPECT_EQ(a.defaultFont().pointSizeF(), b.defaultFont().pointSizeF());
    EXPECT_EQ(a.displayRowIndex(), b.displayRowIndex());
    for (int row = 0; row < a.rows(); ++row)
        EXPECT_EQ(a.rowHeight(row), b.rowHeight(row)) << "row " << row;
    for (int row = 0; row < a.rows(); ++row)
        EXPECT_EQ(a.rowIndexHidden(row), b.rowIndexHidden(row)) << "row " << row;
    for (int col = 0; col < a.cols(); ++col) {
        EXPECT_EQ(a.colWidth(col), b.colWidth(col)) << "col " << col;
        EXPECT_EQ(a.mask(col), b.mask(col)) << "col " << col;
        EXPECT_EQ(a.colAlignment(col), b.colAlignment(col)) << "col " << col;
        EXPECT_EQ(a.formatString(col), b.formatString(col)) << "col " << col;
        EXPECT_EQ(a.colCellType(col), b.colCellType(col)) << "col " << col;
    }
    for (int row = 0; row < a.rows(); ++row) {
        for (int col = 0; col < a.cols(); ++col) {
            const std::string at = "cell " + std::to_string(row) + "," + std::to_string(col);
            EXPECT_EQ(a.text(row, col), b.text(row, col)) << at;
            EXPECT_EQ(a.tag(row, col), b.tag(row, col)) << at;
            EXPECT_EQ(a.imageKey(row, col), b.imageKey(row, col)) << at;
            EXPECT_EQ(a.ownCellType(row, col), b.ownCellType(row, col)) << at;
            EXPECT_TRUE(a.style(row, col) == b.style(row, col)) << at;
        }
    }
    EXPECT_EQ(sortedMerges(a), sortedMerges(b));
    EXPECT_TRUE(a.images() == b.images());
    EXPECT_EQ(a.images().keys(), b.images().keys());
    EXPECT_TRUE(a.pageSetup() == b.pageSetup());
    EXPECT_TRUE(a.reportTitles() == b.reportTitles());
    EXPECT_EQ(a.hPageBreaks().rows(), b.hPageBreaks().rows());
}

} // namespace

TEST(GridFile, SaveAndLoadKeepEveryStoredProperty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zkz2.cel"));
    const GridData original = everything();
    QString error;
    ASSERT_TRUE(GridFile::save(path, original, &error)) << error.toStdString();

    // Readable by hand: what the file is comes first.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        file.readAll().startsWith("{\n    \"format\": \"kaowu-grid\",\n    \"version\": 1,\n    \"rows\": 12,"));

    GridData loaded;
    loaded.setText(2, 2, QStringLiteral("before"));
    loaded.merge({ 5, 1, 6, 2 });
    ASSERT_TRUE(GridFile::load(path, loaded, &error)) << error.toStdString();
    expectSameGrid(original, loaded);

    // Saved again, it reads back the same once more.
    ASSERT_TRUE(GridFile::save(path, loaded, &error));
    GridData again;
    ASSERT_TRUE(GridFile::load(path, again, &error));
    expectSameGrid(original, again);
}

// A ticket whose photo file was missing names a picture the grid never got: the document must
// still save into a file that opens again, with everything else in it.
TEST(GridFile, ACellNamingAMissingPictureStillSavesAFileThatOpens)
{
    GridData original = everything();
    original.setImageKey(3, 2, QStringLiteral("20260101"));
    original.setText(3, 2, QStringLiteral("照片"));
    GridData loaded;
    QString error;
    ASSERT_TRUE(GridFile::fromJson(GridFile::toJson(original), loaded, &error)) << error.toStdString();
    EXPECT_EQ(loaded.text(3, 2), QStringLiteral("照片"));
    EXPECT_TRUE(loaded.imageKey(3, 2).isEmpty());
    original.setImageKey(3, 2, QString());
    expectSameGrid(original, loaded);
}

TEST(GridFile, HandWrittenFileNeedsOnlyItsSize)
{
    GridData data;
    QString error;
    ASSERT_TRUE(GridFile::fromJson(R"({"format": "kaowu-grid", "version": 1, "rows": 3, "cols": 2,
        "cells": [{"row": 1, "col": 1, "text": "姓名"}]})",
        data, &error))
        << error.toStdString();
    EXPECT_EQ(data.rows(), 3);
    EXPECT_EQ(data.cols(), 2);
    EXPECT_EQ(data.text(1, 1), QStringLiteral("姓名"));
    EXPECT_TRUE(data.pageSetup() == PageSetup());
    EXPECT_EQ(data.reportTitles().Count(), 0);
}

TEST(GridFile, EightyThousandMergesLoadWithTheirOverlapsChecked)
{
    // Two-row blocks in alternating columns, written the way the grid saves them.
    constexpr int Merges = 80000;
    QByteArray json = R"({"format": "kaowu-grid", "version": 1, "rows": 160001, "cols": 6, "merges": [)";
    for (int i = 0; i < Merges; ++i)
        json += QStringLiteral("%1[%2, %3, %4, %5]")
                    .arg(i ? "," : "")
                    .arg(1 + 2 * i)
                    .arg(1 + i % 2)
                    .arg(2 + 2 * i)
                    .arg(3 + i % 2)
                    .toLatin1();
    GridData data;
    QString error;
    ASSERT_TRUE(GridFile::fromJson(json + "]}", data, &error)) << error.toStdString();
    EXPECT_EQ(data.merges().size(), size_t(Merges));
    EXPECT_EQ(data.mergeAt(160000, 3), (CellRange { 159999, 2, 160000, 4 }));
    EXPECT_EQ(data.mergeAt(2, 3), (CellRange { 1, 1, 2, 3 }));
    EXPECT_EQ(data.mergeAt(2, 4), CellRange::cell(2, 4));

    // One more block, last in the file, overlapping the first.
    EXPECT_FALSE(GridFile::fromJson(json + ", [2, 3, 3, 3]]}", data, &error));
    EXPECT_EQ(error, QStringLiteral("第 80001 个合并与另一个合并重叠"));
    EXPECT_EQ(data.merges().size(), size_t(Merges));
}

TEST(GridFile, ASmallFileClaimingAMillionRowsTakesMemoryForWhatItHolds)
{
    const QByteArray json = R"({"format":"kaowu-grid","version":1,"rows":1000000,"cols":5})";
    ASSERT_LT(json.size(), 64);
    GridData data;
    const size_t before = mallinfo2().uordblks;
    ASSERT_TRUE(GridFile::fromJson(json, data));
    const size_t taken = mallinfo2().uordblks - before;
    EXPECT_EQ(data.rows(), 1000000);
    EXPECT_EQ(data.text(999999, 4), "");
    // A row's height and number mark, not its five cells (160 MB).
    EXPECT_LT(taken, size_t(24) << 20) << taken;
    data.setText(999999, 4, "末行");
    EXPECT_EQ(data.text(999999, 4), "末行");
}

TEST(GridFile, RefusesBadFilesAndLeavesTheGridAsItWas)
{
    const QByteArray good = GridFile::toJson(everything());
    const auto withHead = [](const char *rest) {
        return QByteArray(R"({"format": "kaowu-grid", "version": 1, "rows": 4, "cols": 3, )") + rest + "}";
    };
    struct Case {
        const char *name;
        QByteArray json;
    };
    const QList<Case> cases = {
        { "empty", "" },
        { "not JSON", "hello" },
        { "truncated", good.left(good.size() / 2) },
        { "an array", "[1, 2]" },
        { "another format", R"({"format": "flexcell", "version": 1, "rows": 2, "cols": 2})" },
        { "a later version", R"({"format": "kaowu-grid", "version": 2, "rows": 2, "cols": 2})" },
        { "no version", R"({"format": "kaowu-grid", "rows": 2, "cols": 2})" },
        { "a billion rows", R"({"format": "kaowu-grid", "version": 1, "rows": 1000000000, "cols": 2})" },
        { "too many cells", R"({"format": "kaowu-grid", "version": 1, "rows": 1000000, "cols": 1000})" },
        { "no columns", R"({"format": "kaowu-grid", "version": 1, "rows": 3, "cols": 0})" },
        { "unnumbered fixed row", withHead(R"("rowIndexHidden": [0])") },
        { "unnumbered row beyond the grid", withHead(R"("rowIndexHidden": [4])") },
        { "row heights miscounted", withHead(R"("rowHeights": [20, 20])") },
        { "negative width", withHead(R"("columns": [{"width": 40}, {"width": -5}, {"width": 70}])") },
        { "unknown mask", withHead(R"("columns": [{"mask": 4}, {}, {}])") },
        { "merge out of range", withHead(R"("merges": [[1, 1, 9, 2]])") },
        { "merge turned round", withHead(R"("merges": [[2, 2, 1, 1]])") },
        { "merge of one cell", withHead(R"("merges": [[1, 1, 1, 1]])") },
        { "merges overlapping", withHead(R"("merges": [[1, 1, 2, 2], [2, 2, 3, 2]])") },
        { "cell out of range", withHead(R"("cells": [{"row": 4, "col": 1, "text": "x"}])") },
        { "text as a number", withHead(R"("cells": [{"row": 1, "col": 1, "text": 12}])") },
        { "unknown cell type", withHead(R"("cells": [{"row": 1, "col": 1, "type": 5}])") },
        { "style index out of range", withHead(R"("styles": [{}], "cells": [{"row": 1, "col": 1, "style": 1}])") },
        { "bad colour", withHead(R"("styles": [{"color": "red"}])") },
        { "unknown line style", withHead(R"("styles": [{"borders": [7, 0, 0, 0, 0, 0]}])") },
        { "unknown alignment", withHead(R"("styles": [{"alignment": 3}])") },
        { "picture that is no picture", withHead(R"("images": {"k": "aGVsbG8="}})") },
        { "cell showing a missing picture", withHead(R"("cells": [{"row": 1, "col": 1, "image": "k"}])") },
        { "unknown orientation", withHead(R"("pageSetup": {"Orientation": 3})") },
        { "negative margin", withHead(R"("pageSetup": {"LeftMargin": -1})") },
        { "unknown paper", withHead(R"("pageSetup": {"PaperSize": "Z9"})") },
        { "title rows beyond the grid", withHead(R"("pageSetup": {"PrintTitleRows": 9})") },
        { "page break on row 0", withHead(R"("pageBreaks": [0])") },
        { "title of size 0", withHead(R"("reportTitles": [{"text": "x", "FontSize": 0}])") },
    };
    GridData data = everything();
    const QByteArray before = GridFile::toJson(data);
    for (const Case &c : cases) {
        QString error;
        EXPECT_FALSE(GridFile::fromJson(c.json, data, &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_EQ(GridFile::toJson(data), before) << c.name;
    }
}

TEST(GridFile, ReportsFilesItCannotReadOrWrite)
{
    QTemporaryDir dir;
    GridData data = everything();
    const QByteArray before = GridFile::toJson(data);
    QString error;
    const QString missing = dir.filePath(QStringLiteral("zkz3.cel"));
    EXPECT_FALSE(GridFile::load(missing, data, &error));
    EXPECT_TRUE(error.contains(missing));
    EXPECT_EQ(GridFile::toJson(data), before);

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/t.cel"));
    EXPECT_FALSE(GridFile::save(nowhere, data, &error));
    EXPECT_EQ(error, QStringLiteral("无法保存文件 %1：文件夹不存在，或者没有写入的权限。原有的文件没有改变。").arg(nowhere));

    // A refused load keeps the file on disk as it was.
    const QString path = dir.filePath(QStringLiteral("bad.cel"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "kaowu-grid", "version": 1, "rows": 2)");
    file.close();
    EXPECT_FALSE(GridFile::load(path, data, &error));
    EXPECT_TRUE(error.contains(path));
    EXPECT_EQ(GridFile::toJson(data), before);
}

// A named pipe or a device in a grid file's place (a ticket template, a file opened) is refused
// before it is read: the pipe would hold the window until something wrote to it, and /dev/zero
// never ends.
TEST(GridFile, RefusesPipesAndDevices)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("zkz2.cel"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString device = dir.filePath(QStringLiteral("zero.cel"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    // Something opens the pipe for writing and closes it again, so that a loader that waits for
    // a writer still returns.
    std::thread writer([&pipe] { ::close(::open(QFile::encodeName(pipe).constData(), O_WRONLY)); });
    GridData data = everything();
    const QByteArray before = GridFile::toJson(data);
    for (const QString &path : { pipe, device }) {
        QString error;
        EXPECT_FALSE(GridFile::load(path, data, &error));
        EXPECT_EQ(error, QStringLiteral("%1 不是普通文件（可能是管道或设备），只能读取保存在磁盘上的表格文件。").arg(path));
        EXPECT_EQ(GridFile::toJson(data), before);
    }
    const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    ::close(reader);
}
