// The one cell painter, checked on rendered pixels: colours, borders, merges, pictures, and the
// texts cells show.
#include "gridprint/CellPainter.h"
#include "support/RowInk.h"
#include "griddata/GridData.h"
#include "griddata/NumberFormat.h"
#include "griddata/OleColor.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Renders cells of `data` (row, col) at their grid positions into a white image.
QImage render(const GridData &data, const std::vector<std::pair<int, int>> &cells, CellPaintOptions options = {})
{
    QImage image(data.totalWidth() + 2, data.totalHeight() + 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::vector<PlacedCell> placed;
    for (const auto &[r, c] : cells) {
        const CellRange b = data.mergeAt(r, c);
        placed.push_back({ b.row1, b.col1,
            QRectF(data.colLeft(b.col1), data.rowTop(b.row1), data.colLeft(b.col2 + 1) - data.colLeft(b.col1),
                data.rowTop(b.row2 + 1) - data.rowTop(b.row1)),
            false });
    }
    CellPainter::paintCells(painter, data, placed, options);
    return image;
}

GridData plain(int rows, int cols)
{
    GridData data;
    data.setRows(rows);
    data.setCols(cols);
    return data;
}

CellPaintOptions paper()
{
    CellPaintOptions options;
    options.gridlines = false;
    options.fixedAsHeader = false;
    return options;
}

bool isBlack(QRgb pixel)
{
    return qRed(pixel) < 80 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

} // namespace

TEST(OleColor, RedIsTheLowByte)
{
    EXPECT_EQ(FromOleColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(FromOleColor(0x00FF0000), QColor(0, 0, 255));
    EXPECT_EQ(FromOleColor(0x00123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ToOleColor(QColor(0x56, 0x34, 0x12)), 0x00123456u);
}

TEST(CellPainter, BackgroundsUseTheCellColourUnlessBlackAndWhite)
{
    GridData data = plain(3, 3);
    data.updateStyle(CellRange::cell(1, 1), [](CellStyle &s) { s.backColor = 0x000000FF; });
    const QPoint middle(data.colLeft(1) + 30, data.rowTop(1) + 10);
    EXPECT_EQ(QColor(render(data, { { 1, 1 } }, paper()).pixel(middle)), QColor(255, 0, 0));
    CellPaintOptions mono = paper();
    mono.blackAndWhite = true;
    EXPECT_EQ(QColor(render(data, { { 1, 1 } }, mono).pixel(middle)), QColor(Qt::white));
}

TEST(CellPainter, BordersAreDrawnOnTheirEdgesOnly)
{
    GridData data = plain(4, 4);
    data.setBorder({ 1, 1, 2, 2 }, EdgeBottom, LineThick);
    data.setBorder({ 1, 1, 2, 2 }, EdgeLeft, LineThin);
    const QImage image = render(data, { { 1, 1 }, { 1, 2 }, { 2, 1 }, { 2, 2 }, { 3, 1 } }, paper());
    const int bottom = data.rowTop(3);
    const int left = data.colLeft(1);
    const int midX = data.colLeft(2) + 20;
    EXPECT_TRUE(isBlack(image.pixel(midX, bottom))) << "bottom edge";
    EXPECT_TRUE(isBlack(image.pixel(left, data.rowTop(1) + 10))) << "left edge";
    // No top edge, no inside lines, no right edge.
    EXPECT_FALSE(isBlack(image.pixel(midX, data.rowTop(1))));
    EXPECT_FALSE(isBlack(image.pixel(midX, data.rowTop(2))));
    EXPECT_FALSE(isBlack(image.pixel(data.colLeft(2), data.rowTop(1) + 10)));
    EXPECT_FALSE(isBlack(image.pixel(data.colLeft(3), data.rowTop(1) + 10)));
}

TEST(CellPainter, AMergedBlockIsOneCellWithItsOutlineSegments)
{
    GridData data = plain(4, 4);
    data.merge({ 1, 1, 2, 2 });
    data.setBorder({ 1, 1, 2, 2 }, EdgeRight, LineThick);
    data.setBorder({ 2, 2, 2, 2 }, EdgeBottom, LineThick);
    CellPaintOptions options = paper();
    options.gridlines = true;
    options.gridlineColor = QColor(0, 255, 0);
    const QImage image = render(data, { { 1, 1 }, { 2, 2 } }, options);
    // Inside the block no grid line divides it.
    EXPECT_EQ(QColor(image.pixel(data.colLeft(2), data.rowTop(1) + 10)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(data.colLeft(1) + 10, data.rowTop(2))), QColor(Qt::white));
    // Its right edge runs the whole height; its bottom edge only under column 2.
    EXPECT_TRUE(isBlack(image.pixel(data.colLeft(3), data.rowTop(1) + 5)));
    EXPECT_TRUE(isBlack(image.pixel(data.colLeft(3), data.rowTop(2) + 15)));
    EXPECT_TRUE(isBlack(image.pixel(data.colLeft(2) + 30, data.rowTop(3))));
    EXPECT_FALSE(isBlack(image.pixel(data.colLeft(1) + 30, data.rowTop(3))));
}

TEST(CellPainter, PicturesKeepTheirAspectRatioInTheirCell)
{
    GridData data = plain(3, 3);
    data.setColWidth(1, 100);
    data.setRowHeight(1, 100);
    QImage photo(200, 100, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    ASSERT_TRUE(data.images().addData("p", bytes));
    EXPECT_FALSE(data.images().addData("bad", QByteArray("not a picture")));
    data.setImageKey(1, 1, "p");
    const QImage image = render(data, { { 1, 1 } }, paper());
    const int x = data.colLeft(1);
    const int y = data.rowTop(1);
    EXPECT_EQ(QColor(image.pixel(x + 50, y + 50)), QColor(Qt::blue));
    // 200 x 100 into 98 x 98: 98 x 49, centred, white above and below.
    EXPECT_EQ(QColor(image.pixel(x + 50, y + 10)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(x + 50, y + 90)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(x + 3, y + 50)), QColor(Qt::blue));
}

TEST(CellPainter, ShownTextsFollowRowIndexFormatsAndCheckBoxes)
{
    GridData data = plain(5, 4);
    data.setText(2, 0, "U");
    data.setText(1, 1, "12.345");
    data.setFormatString(1, "0.0");
    data.setText(1, 2, "A0012");
    data.setMask(2, MaskNumber);
    data.setText(1, 3, "1");
    data.setCellType(1, 3, CellTypeCheckBox);
    EXPECT_EQ(CellPainter::displayText(data, 2, 0), "U");
    data.setDisplayRowIndex(true);
    EXPECT_EQ(CellPainter::displayText(data, 2, 0), "2");
    EXPECT_EQ(CellPainter::displayText(data, 0, 0), "");
    EXPECT_EQ(CellPainter::displayText(data, 1, 1), "12.3");
    EXPECT_EQ(CellPainter::displayText(data, 1, 2), "A0012");
    EXPECT_EQ(CellPainter::displayText(data, 1, 3), "");
    EXPECT_EQ(data.text(1, 1), "12.345");
}

// Text of one cell drawn on a device of `dpi` with grid pixels scaled by `scale`: the height of
// its ink in grid pixels (device pixels divided by the scale).
double inkHeight(int dpi, double scale)
{
    GridData data = plain(2, 2);
    data.setColWidth(1, 120);
    data.setRowHeight(1, 40);
    data.setText(1, 1, QStringLiteral("国王"));
    data.updateStyle(CellRange::cell(1, 1), [](CellStyle &s) { s.fontSize = 12; });
    const QSizeF cell(data.colWidth(1), data.rowHeight(1));
    QImage image((cell * scale).toSize() + QSize(2, 2), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    CellPainter::paintCell(painter, data, 1, 1, QRectF(QPointF(0, 0), cell), paper());
    painter.end();
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return bottom < top ? 0 : (bottom - top + 1) / scale;
}

TEST(CellPainter, PointsComeOutTheSamePhysicalSizeOnEveryDevice)
{
    // 12 points are 16 grid pixels: the ink of two Chinese characters is a little less.
    const double screen = inkHeight(96, 1);
    EXPECT_GT(screen, 11);
    EXPECT_LE(screen, 17);
    struct Case {
        int dpi;
        double scale;
    };
    // A PDF page and a printer draw grid pixels scaled to their resolution; a zoomed preview
    // scales a 96 dpi device.
    for (const Case c : { Case { 300, 300 / 96.0 }, Case { 600, 600 / 96.0 }, Case { 96, 2 }, Case { 300, 1 } })
        EXPECT_NEAR(inkHeight(c.dpi, c.scale), screen, 1.5) << c.dpi << " dpi, scale " << c.scale;
}

namespace {


// Row 1 of six columns, a cut line in column 1 far wider than its cell and "7" (a number, so
// drawn at the right) in column 5.
GridData cutLine()
{
    GridData data = plain(3, 7);
    data.setText(1, 1, QString(60, QLatin1Char('-')));
    data.setText(1, 5, QStringLiteral("7"));
    return data;
}

std::vector<std::pair<int, int>> rowCells(int row, int firstCol, int lastCol)
{
    std::vector<std::pair<int, int>> cells;
    for (int col = firstCol; col <= lastCol; ++col)
        cells.push_back({ row, col });
    return cells;
}

} // namespace

TEST(CellPainter, TextRunsOnOverEmptyNeighboursUpToTheFirstFilledOne)
{
    const GridData data = cutLine();
    const QImage image = render(data, rowCells(1, 1, 6), paper());
    EXPECT_GT(inkBetween(image, data, 1, data.colLeft(2) + 2, data.colLeft(3) - 2), 20);
    EXPECT_GT(inkBetween(image, data, 1, data.colLeft(4) + 2, data.colLeft(5) - 2), 20);
    // Column 5 has its own text: the line stops at its edge, its left half stays blank.
    EXPECT_EQ(inkBetween(image, data, 1, data.colLeft(5) + 1, data.colLeft(5) + 30), 0);
    EXPECT_GT(inkBetween(image, data, 1, data.colLeft(6) - 20, data.colLeft(6)), 0);

    // No further than the cells drawn: the window's or the sheet's last column.
    const QImage cut = render(data, rowCells(1, 1, 2), paper());
    EXPECT_GT(inkBetween(cut, data, 1, data.colLeft(2) + 2, data.colLeft(3) - 2), 20);
    EXPECT_EQ(inkBetween(cut, data, 1, data.colLeft(3), data.colLeft(5)), 0);
}

TEST(CellPainter, TextStaysInItsCellUnlessSingleLineLeftAlignedBesideEmptyPlainCells)
{
    const std::vector<std::pair<const char *, std::function<void(GridData &)>>> cases = {
        { "wraps", [](GridData &d) { d.updateStyle(CellRange::cell(1, 1), [](CellStyle &s) { s.wrap = true; }); } },
        { "centred",
            [](GridData &d) {
                d.updateStyle(CellRange::cell(1, 1), [](CellStyle &s) { s.alignment = GridAlignment::Centred; });
            } },
        { "merged neighbour",
            [](GridData &d) {
                d.merge({ 1, 2, 2, 2 });
            } },
        { "check box beside", [](GridData &d) { d.setCellType(1, 2, CellTypeCheckBox); } },
        { "drop-down cell", [](GridData &d) { d.setCellType(1, 1, CellTypeDropDown); } },
    };
    for (const auto &[name, change] : cases) {
        GridData data = cutLine();
        change(data);
        const QImage image = render(data, rowCells(1, 1, 6), paper());
        EXPECT_EQ(inkBetween(image, data, 1, data.colLeft(3) + 2, data.colLeft(5) - 2), 0) << name;
    }
}

TEST(CellPainter, NoGridLineCutsThroughARunningText)
{
    GridData data = cutLine();
    CellPaintOptions options = paper();
    options.gridlines = true;
    options.gridlineColor = QColor(0, 255, 0);
    std::vector<std::pair<int, int>> cells = rowCells(1, 1, 6);
    for (const auto &cell : rowCells(2, 1, 6))
        cells.push_back(cell);
    const QImage image = render(data, cells, options);
    const auto green = [&](int row, int col) {
        return QColor(image.pixel(data.colLeft(col), data.rowTop(row) + 4)) == QColor(0, 255, 0);
    };
    EXPECT_FALSE(green(1, 2));
    EXPECT_FALSE(green(1, 4));
    EXPECT_TRUE(green(1, 5)) << "where the text stops";
    EXPECT_TRUE(green(2, 2)) << "the row below";
}

struct FormatCase {
    const char *format;
    const char *text;
    const char *shown;
};

class NumberFormats : public ::testing::TestWithParam<FormatCase> { };

TEST_P(NumberFormats, ShowNumbersAndLeaveTheRest)
{
    const FormatCase &t = GetParam();
    EXPECT_EQ(NumberFormat::apply(t.format, t.text), QString::fromUtf8(t.shown));
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberFormats,
    ::testing::Values(FormatCase { "", "3.14159", "3.14159" }, FormatCase { "0", "3.6", "4" },
        FormatCase { "0.00", "3", "3.00" }, FormatCase { "0.0", "-0.04", "0.0" },
        FormatCase { "#,##0.00", "1234567.891", "1,234,567.89" }, FormatCase { "0%", "0.256", "26%" },
        FormatCase { "0.0", " 7 ", "7.0" }, FormatCase { "0.00", "A0012", "A0012" }, FormatCase { "0.00", "", "" },
        FormatCase { "0.00", "合计", "合计" }));

TEST(GridImages, PhotosAreReadFromFilesNamedEitherWay)
{
    QTemporaryDir dir;
    QImage photo(30, 40, QImage::Format_RGB32);
    photo.fill(Qt::red);
    ASSERT_TRUE(photo.save(dir.filePath("0012.jpg")));
    GridImages images;
    EXPECT_TRUE(images.Add(dir.filePath("0012.jpg"), "a"));
    // The ticket builders join folder and name with a backslash.
    EXPECT_TRUE(images.Add(dir.path() + "\\0012.jpg", "b"));
    EXPECT_FALSE(images.Add(dir.path() + "\\missing.jpg", "c"));
    EXPECT_EQ(images.keys(), (QStringList { "a", "b" }));
    EXPECT_EQ(images.image("b").size(), QSize(30, 40));
    // Scaled to a box it keeps its shape.
    EXPECT_EQ(images.scaled("a", QSize(60, 60)).size(), QSize(45, 60));
    EXPECT_EQ(images.scaled("a", QSize(15, 60)).size(), QSize(15, 20));
}
