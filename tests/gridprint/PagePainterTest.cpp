#include "gridprint/PagePainter.h"
#include "PdfPageCount.h"
#include "support/TextRecorder.h"
#include "griddata/GridData.h"
#include "gridprint/Paginator.h"
#include "gridprint/PdfWriter.h"
#include "gridprint/PrintTexts.h"
#include "gridprint/PrinterOutput.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <regex>
#include <string>

namespace {

// A list of `rows` - 1 body rows of 25 pixels and three columns, printed with 2 cm margins:
// 38 body rows fill an A4 page.
GridData list(int rows)
{
    GridData data;
    data.setCols(4);
    data.setRows(rows);
    for (int row = 0; row < rows; ++row) {
        data.setRowHeight(row, 25);
        data.setText(row, 1, QStringLiteral("第%1行").arg(row));
    }
    return data;
}

struct Drawn {
    int page;
    QRectF rect;
};

// Every placed cell of the printout, by its (row, col).
std::multimap<std::pair<int, int>, Drawn> placedEverywhere(const GridData &data)
{
    std::multimap<std::pair<int, int>, Drawn> drawn;
    for (const Page &page : Paginator::paginate(data))
        for (const PlacedCell &cell : PagePainter::placedCells(data, page))
            drawn.insert({ { cell.row, cell.col }, Drawn { page.number, cell.rect } });
    return drawn;
}

// The texts of one printed page, at `dpi`.
using Texts = QList<TextRecorder::Text>;

Texts recordPage(const GridData &data, int number, int dpi = 96)
{
    const QList<Page> pages = Paginator::paginate(data);
    TextRecorder recorder(QSize(800, 1200), dpi);
    QPainter painter(&recorder);
    PagePainter::paintPage(painter, data, pages.at(number - 1), int(pages.size()));
    return recorder.texts();
}

const TextRecorder::Text *find(const Texts &texts, const QString &text)
{
    for (const TextRecorder::Text &t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

QString joined(const Texts &texts)
{
    QStringList all;
    for (const TextRecorder::Text &t : texts)
        all << t.text;
    return all.join('|');
}

std::string streamText(QPDFObjectHandle stream)
{
    const auto bytes = stream.getStreamData(qpdf_dl_generalized);
    return std::string(reinterpret_cast<const char *>(bytes->getBuffer()), bytes->getSize());
}

// A font's character map: glyph number to the characters it shows (as hex), from its ranges
// and single codes.
std::map<std::string, std::string> characterMap(QPDFObjectHandle font)
{
    std::map<std::string, std::string> map;
    const std::string cmap = streamText(font.getKey("/ToUnicode"));
    static const std::regex range(R"(<([0-9A-F]{4})> <([0-9A-F]{4})> (\[[^\]]*\]|<[0-9A-F]+>))");
    static const std::regex single(R"((?:^|\n)<([0-9A-F]{4})> <([0-9A-F]+)>(?=\n))");
    static const std::regex code(R"(<([0-9A-F]+)>)");
    for (auto it = std::sregex_iterator(cmap.begin(), cmap.end(), range); it != std::sregex_iterator(); ++it) {
        int glyph = std::stoi((*it)[1], nullptr, 16);
        const std::string targets = (*it)[3];
        for (auto t = std::sregex_iterator(targets.begin(), targets.end(), code); t != std::sregex_iterator(); ++t) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "%04X", glyph++);
            map[hex] = (*t)[1];
        }
    }
    for (auto it = std::sregex_iterator(cmap.begin(), cmap.end(), single); it != std::sregex_iterator(); ++it)
        map[(*it)[1]] = (*it)[2];
    return map;
}

// What each page of a PDF file shows, read back as a reader sees it: its texts through the
// fonts' character maps (however the glyphs were numbered), then the rest of what it draws.
// Glyphs shown to Qt off the paper are no part of it.
std::vector<std::string> pageContents(const QString &path)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    std::vector<std::string> contents;
    // A font, then the strings shown in it: alone (Tj) or among moves in an array (TJ).
    static const std::regex item(R"(/([FK]\d+) [\d.]+ Tf|[\s\[]<([0-9A-F]+)>)");
    static const std::regex offPaper(R"(BT\n[^\n]*\n-30000 30000 Td[^]*?ET\n)");
    // What draws: the texts aside, lines and their paths, without the states Qt writes
    // around them.
    static const std::regex texts(R"(BT\n[^]*?ET\n)");
    static const std::regex states(R"((?:^|\n)(?:[qQ ]+|.* (?:gs|cs|CS|scn|SCN|d|rg))(?=\n))");
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        std::string content;
        for (QPDFObjectHandle &stream : page.getPageContents())
            content += streamText(stream);
        content = std::regex_replace(content, offPaper, "");
        QPDFObjectHandle fonts = page.getAttribute("/Resources", false).getKey("/Font");
        std::map<std::string, std::string> characters;
        std::string shown;
        for (auto it = std::sregex_iterator(content.begin(), content.end(), item); it != std::sregex_iterator(); ++it) {
            if ((*it)[1].matched)
                characters = characterMap(fonts.getKey("/" + (*it)[1].str()));
            else
                for (size_t glyph = 0; glyph + 4 <= size_t((*it)[2].length()); glyph += 4)
                    shown += characters[(*it)[2].str().substr(glyph, 4)] + ' ';
        }
        contents.push_back(shown + std::regex_replace(std::regex_replace(content, texts, ""), states, ""));
    }
    return contents;
}

// The words of a PDF file as poppler places them on the paper, in points.
std::vector<std::pair<QString, QRectF>> wordsOf(const QString &path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), path, QStringLiteral("-") });
    if (!reader.waitForFinished(60000))
        return {};
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<std::pair<QString, QRectF>> words;
    for (const QRegularExpressionMatch &m : word.globalMatch(QString::fromUtf8(reader.readAllStandardOutput())))
        words.push_back({ m.captured(5),
            QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())) });
    return words;
}

} // namespace

TEST(PagePainter, CellsStandWhereThePaginatorPutTheirRows)
{
    GridData data = list(61);
    data.pageSetup().PrintFixedRow = true;
    data.setColWidth(2, 0);
    const QList<Page> pages = Paginator::paginate(data);
    ASSERT_EQ(pages.size(), 2);
    const std::vector<PlacedCell> cells = PagePainter::placedCells(data, pages[1]);
    // Fixed row then the body, columns 1 and 3 (2 is hidden): one cell per printed row and column.
    EXPECT_EQ(cells.size(), size_t(pages[1].rows.size() * 2));
    const double left = Paginator::fromCm(2);
    EXPECT_EQ(cells[0].row, 0);
    EXPECT_EQ(cells[0].rect, QRectF(left, left, data.colWidth(1), 25));
    EXPECT_EQ(cells[2].row, pages[1].body.top());
    EXPECT_EQ(cells[3].col, 3);
    EXPECT_EQ(cells[3].rect, QRectF(left + data.colWidth(1), left + 25, data.colWidth(3), 25));
}

TEST(PagePainter, MergedBlocksAreDrawnOnceWhole)
{
    GridData data = list(81);
    data.merge({ 37, 1, 40, 2 }); // would straddle the end of page 1: moves to page 2
    data.merge({ 45, 1, 90, 1 }); // clipped to the grid: rows 45..80
    data.merge({ 5, 2, 6, 3 });
    const auto drawn = placedEverywhere(data);

    ASSERT_EQ(drawn.count({ 37, 1 }), 1u);
    EXPECT_EQ(drawn.find({ 37, 1 })->second.page, 2);
    EXPECT_DOUBLE_EQ(drawn.find({ 37, 1 })->second.rect.height(), 100);
    EXPECT_DOUBLE_EQ(drawn.find({ 37, 1 })->second.rect.width(), data.colWidth(1) + data.colWidth(2));
    for (int row = 38; row <= 40; ++row)
        EXPECT_EQ(drawn.count({ row, 1 }) + drawn.count({ row, 2 }), 0u) << row;

    ASSERT_EQ(drawn.count({ 5, 2 }), 1u);
    EXPECT_EQ(drawn.count({ 6, 3 }), 0u);
}

TEST(PagePainter, BlockTallerThanAPageIsDrawnWhereItStartsAndNotAgain)
{
    GridData data = list(81);
    data.merge({ 10, 1, 70, 1 });
    const auto drawn = placedEverywhere(data);
    ASSERT_EQ(drawn.count({ 10, 1 }), 1u);
    const Drawn &block = drawn.find({ 10, 1 })->second;
    EXPECT_EQ(block.page, 1);
    // Page 1 ends after row 38: the block shows rows 10..38 there.
    EXPECT_DOUBLE_EQ(block.rect.height(), 29 * 25);
    for (int row = 11; row <= 70; ++row)
        EXPECT_EQ(drawn.count({ row, 1 }), 0u) << row;
    // Its neighbours still print on every page.
    EXPECT_EQ(drawn.count({ 50, 2 }), 1u);
}

// A room list wider than an A4 sheet: the fixed column (40) and 8 columns of 83, a heading row,
// 20 examinees and the room's location merged over columns 3..8 in the last row.
GridData roomList()
{
    GridData data;
    data.setCols(9);
    data.setRows(23);
    data.setColWidth(0, 40);
    static const char *const headings[] = { "考号", "姓名", "性别", "学校", "班级", "座位号", "科目", "备注" };
    for (int col = 1; col <= 8; ++col) {
        data.setColWidth(col, 83);
        data.setText(1, col, QString::fromUtf8(headings[col - 1]));
    }
    for (int row = 2; row <= 21; ++row) {
        data.setText(row, 1, QStringLiteral("2024%1").arg(row, 4, 10, QLatin1Char('0')));
        data.setText(row, 2, QStringLiteral("学生%1").arg(row));
        data.setText(row, 8, QStringLiteral("末列%1").arg(row));
    }
    data.merge({ 22, 3, 22, 8 });
    data.setText(22, 1, QStringLiteral("地点"));
    data.setText(22, 3, QStringLiteral("第一中学教学楼301"));
    for (const BorderEdge edge : { EdgeLeft, EdgeRight, EdgeTop, EdgeBottom, EdgeInsideVertical, EdgeInsideHorizontal })
        data.setBorder({ 1, 1, 22, 8 }, edge, LineThin);
    return data;
}

TEST(PagePainter, BlockCutByAColumnSplitIsDrawnOnEachSheetItsTextOnce)
{
    GridData data = roomList();
    const QList<Page> pages = Paginator::paginate(data);
    ASSERT_EQ(pages.size(), 2);
    const auto blockOn = [&](const Page &page) {
        for (const PlacedCell &cell : PagePainter::placedCells(data, page))
            if (cell.row == 22 && cell.col == 3)
                return cell;
        return PlacedCell();
    };
    // Sheet 1 shows columns 3..7 of it with its text, sheet 2 column 8 without.
    const PlacedCell first = blockOn(pages[0]);
    EXPECT_EQ(first.part, (CellRange { 22, 3, 22, 7 }));
    EXPECT_TRUE(first.withContent);
    EXPECT_DOUBLE_EQ(first.rect.width(), 5 * 83);
    EXPECT_DOUBLE_EQ(first.rect.right(), pages[0].grid.right());
    const PlacedCell second = blockOn(pages[1]);
    EXPECT_EQ(second.part, (CellRange { 22, 8, 22, 8 }));
    EXPECT_FALSE(second.withContent);
    EXPECT_DOUBLE_EQ(second.rect.left(), pages[1].grid.left());
    EXPECT_DOUBLE_EQ(second.rect.width(), 83);

    // Every heading and the location stand once in the printout, the location inside sheet 1.
    const Texts sheet1 = recordPage(data, 1);
    const Texts sheet2 = recordPage(data, 2);
    const QString all = joined(sheet1) + '|' + joined(sheet2);
    for (const char *heading : { "考号", "姓名", "性别", "学校", "班级", "座位号", "科目", "备注" })
        EXPECT_EQ(all.count(QString::fromUtf8(heading)), 1) << heading;
    EXPECT_EQ(all.count(QStringLiteral("第一中学教学楼301")), 1);
    const TextRecorder::Text *location = find(sheet1, QStringLiteral("第一中学教学楼301"));
    ASSERT_NE(location, nullptr);
    EXPECT_GE(location->at.x(), first.rect.left());
    EXPECT_LE(location->end, first.rect.right());
    EXPECT_NE(find(sheet2, QStringLiteral("末列21")), nullptr);
}

TEST(PagePainter, TextRunsOnOverEmptyCellsUpToTheSheetEdge)
{
    // A ticket's cut line in column 1, and a long text in column 7, the last one of sheet 1.
    GridData data = roomList();
    data.setText(2, 1, QString(90, QLatin1Char('-')));
    data.setText(2, 2, QString());
    data.setText(3, 7, QString(40, QLatin1Char('=')));
    data.setText(3, 8, QString());
    const QList<Page> pages = Paginator::paginate(data);
    ASSERT_EQ(pages.size(), 2);
    const auto render = [&](const Page &page) {
        QImage image(page.paper.toSize(), QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        QPainter painter(&image);
        PagePainter::paintPage(painter, data, page, 2);
        return image;
    };
    const auto ink = [](const QImage &image, const Page &page, int line, double x1, double x2) {
        const double top = page.grid.top() + page.rows[line].offset;
        int count = 0;
        for (int y = int(top) + 5; y < int(top + page.rows[line].size) - 5; ++y)
            for (int x = int(x1); x < int(x2); ++x)
                count += qGray(image.pixel(x, y)) < 128;
        return count;
    };
    const QImage sheet1 = render(pages[0]);
    const Page &page = pages[0];
    const double col3 = page.grid.left() + 2 * 83;
    EXPECT_GT(ink(sheet1, page, 1, col3 + 3, col3 + 80), 20) << "the cut line reaches column 3";
    EXPECT_GT(ink(sheet1, page, 2, page.grid.right() - 20, page.grid.right() - 3), 10);
    EXPECT_EQ(ink(sheet1, page, 2, page.grid.right() + 2, page.paper.width()), 0) << "nothing in the margin";
    // The text does not carry on to the next sheet.
    const QImage sheet2 = render(pages[1]);
    EXPECT_EQ(ink(sheet2, pages[1], 2, pages[1].grid.left() + 3, pages[1].grid.right() - 3), 0);
}

TEST(PagePainter, BlocksStartingOnRowsThatDoNotPrint)
{
    // Row 0 does not print without PrintFixedRow: a block over rows 0..2 shows from row 1.
    GridData data = list(10);
    data.merge({ 0, 1, 2, 1 });
    auto drawn = placedEverywhere(data);
    ASSERT_EQ(drawn.count({ 0, 1 }), 1u);
    EXPECT_DOUBLE_EQ(drawn.find({ 0, 1 })->second.rect.top(), Paginator::fromCm(2));
    EXPECT_DOUBLE_EQ(drawn.find({ 0, 1 })->second.rect.height(), 50);

    // A hidden first row passes the block to the next row.
    data.setRowHeight(1, 0);
    drawn = placedEverywhere(data);
    ASSERT_EQ(drawn.count({ 0, 1 }), 1u);
    EXPECT_DOUBLE_EQ(drawn.find({ 0, 1 })->second.rect.height(), 25);
}

TEST(PagePainter, RowNumbersPrintAsShownAndAnUnnumberedRowPrintsNone)
{
    GridData data = list(41);
    data.pageSetup().PrintFixedColumn = true;
    data.setDisplayRowIndex(true);
    data.setRowIndexHidden(1, true);
    data.setRowIndexHidden(40, true);
    // Column 0's texts of both pages, top to bottom: 38 numbered rows on the first page (the
    // first row has none), then 39 and nothing for the last row.
    QStringList numbers;
    for (int page = 1; page <= 2; ++page)
        for (const TextRecorder::Text &t : recordPage(data, page))
            if (!t.text.startsWith(QStringLiteral("第")))
                numbers << t.text;
    QStringList expected;
    for (int n = 1; n <= 38; ++n)
        expected << QString::number(n);
    EXPECT_EQ(numbers, expected);
}

TEST(PagePainter, FooterCountsPagesAndHeaderStandsWhereAligned)
{
    EXPECT_EQ(PrintTexts::expand(QStringLiteral("共&n页  第&p页"), 3, 7), QStringLiteral("共7页  第3页"));

    GridData data = list(38 * 7 + 1);
    data.pageSetup().Footer = QStringLiteral("共&n页  第&p页");
    data.pageSetup().Header = QStringLiteral("第 12 考场");
    data.pageSetup().HeaderAlignment = 2;
    ASSERT_EQ(Paginator::paginate(data).size(), 7);

    const Texts page3 = recordPage(data, 3);
    const TextRecorder::Text *footer = find(page3, QStringLiteral("共7页  第3页"));
    ASSERT_NE(footer, nullptr) << joined(page3).toStdString();
    const Page page = Paginator::paginate(data)[2];
    EXPECT_GT(footer->at.y(), page.grid.bottom());
    EXPECT_LE(footer->at.y(), page.paper.height() - Paginator::fromCm(1));

    const TextRecorder::Text *header = find(page3, QStringLiteral("第 12 考场"));
    ASSERT_NE(header, nullptr);
    EXPECT_GT(header->at.x(), page.paper.width() / 2);
    EXPECT_LT(header->at.y(), Paginator::fromCm(2));

    // The same page on a 300 dpi device: everything moves with the resolution.
    const Texts fine = recordPage(data, 3, 300);
    const TextRecorder::Text *fineFooter = find(fine, QStringLiteral("共7页  第3页"));
    ASSERT_NE(fineFooter, nullptr);
    EXPECT_NEAR(fineFooter->at.y(), footer->at.y() * 300 / 96, 3);
}

TEST(PagePainter, TitlesOnTheFirstPageOrOnAll)
{
    GridData data = list(100);
    ReportTitle main;
    main.text = QStringLiteral("2024年期中考试 考场名单");
    main.Font.Size = 14;
    main.PrintOnAllPages = true;
    ReportTitle once;
    once.text = QStringLiteral("只在第一页");
    data.reportTitles().Add(main);
    data.reportTitles().Add(once);

    const Texts first = recordPage(data, 1);
    const Texts second = recordPage(data, 2);
    ASSERT_NE(find(first, main.text), nullptr) << joined(first).toStdString();
    ASSERT_NE(find(first, once.text), nullptr);
    EXPECT_LT(find(first, main.text)->at.y(), find(first, once.text)->at.y());
    EXPECT_NE(find(second, main.text), nullptr);
    EXPECT_EQ(find(second, once.text), nullptr);
}

TEST(PagePainter, BarsPartATitleAndTwoAloneLeaveItsLineEmptyAtItsHeight)
{
    const struct {
        QString text;
        QStringList drawn; // left to right
    } cases[] = {
        { QStringLiteral("||"), {} },
        { QStringLiteral("Room list"), { QStringLiteral("Room list") } },
        { QStringLiteral("Left|Centre|Right"), { QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right") } },
    };
    for (const auto &c : cases) {
        GridData data = list(10);
        data.reportTitles().Add({ .text = QStringLiteral("总表"), .Font = { QStringLiteral("宋体"), 14 } });
        const ReportTitle title { .text = c.text, .Font = { QStringLiteral("Arial"), 10 }, .AlignTo = 1 };
        data.reportTitles().Add(title);
        const QRectF line = Paginator::paginate(data).first().titles.at(1).rect;
        QStringList drawn;
        double x = line.left() - 1;
        for (const TextRecorder::Text &t : recordPage(data, 1))
            if (t.at.y() > line.top() && t.at.y() < line.bottom()) {
                drawn << t.text;
                EXPECT_GT(t.at.x(), x) << t.text.toStdString();
                x = t.at.x();
            }
        EXPECT_EQ(drawn, c.drawn) << c.text.toStdString();
        EXPECT_DOUBLE_EQ(line.height(), PrintTexts::height(PrintTexts::titleFont(title), QString(), 1e6));
    }
}

TEST(PagePainter, ColoursAndGridLinesFollowThePageSetup)
{
    GridData data = list(6);
    data.updateStyle({ 2, 1, 2, 3 }, [](CellStyle &style) {
        style.foreColor = 0x0000FF;
        style.backColor = 0x00FFFF;
    });
    const Page page = Paginator::paginate(data).first();
    const auto render = [&](bool blackAndWhite, bool gridlines) {
        data.pageSetup().BlackAndWhite = blackAndWhite;
        data.pageSetup().PrintGridlines = gridlines;
        QImage image(page.paper.toSize(), QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        QPainter painter(&image);
        PagePainter::paintPage(painter, data, page, 1);
        return image;
    };
    const auto colouredPixels = [](const QImage &image, const QRect &area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += QColor(image.pixel(x, y)).saturation() > 60;
        return count;
    };
    const QRect row2 = QRectF(page.grid.left(), page.grid.top() + 25, page.grid.width(), 25).toRect();
    EXPECT_GT(colouredPixels(render(false, false), row2), 100);
    EXPECT_EQ(colouredPixels(render(true, false), row2), 0);

    // A line between rows 1 and 2 only when grid lines are asked for.
    const QPoint between(qRound(page.grid.left() + 10), qRound(page.grid.top() + 25));
    const auto darkAround = [&](const QImage &image) {
        for (int dy = -1; dy <= 1; ++dy)
            if (qGray(image.pixel(between + QPoint(0, dy))) < 128)
                return true;
        return false;
    };
    EXPECT_FALSE(darkAround(render(true, false)));
    EXPECT_TRUE(darkAround(render(true, true)));
}

TEST(PagePainter, PaperIsDrawnFinerThanTheScreen)
{
    // Printers are set to at least 300 dpi; a printer that resolves more keeps it.
    GridData data = list(6);
    const QTemporaryDir dir;
    QPrinter screenPrinter(QPrinter::ScreenResolution);
    PagePainter::setUpDevice(screenPrinter, data.pageSetup());
    EXPECT_GE(screenPrinter.resolution(), 300);
    QPrinter finePrinter;
    finePrinter.setResolution(1200);
    PagePainter::setUpDevice(finePrinter, data.pageSetup());
    EXPECT_EQ(finePrinter.resolution(), 1200);

    // A photo in a 100 x 120 cell reaches a 300 dpi page from about 300 pixels per inch, not 96.
    QImage photo(600, 720, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    ASSERT_TRUE(data.images().addData(QStringLiteral("photo"), bytes));
    data.setColWidth(2, 100);
    data.setRowHeight(2, 120);
    data.setImageKey(2, 2, QStringLiteral("photo"));
    const QList<Page> pages = Paginator::paginate(data);
    TextRecorder recorder(QSize(2480, 3508), 300);
    QPainter painter(&recorder);
    PagePainter::paintPage(painter, data, pages.first(), 1);
    painter.end();
    ASSERT_EQ(recorder.pictures().size(), 1);
    const TextRecorder::Picture &drawn = recorder.pictures().first();
    const double inches = drawn.target.width() / 300.0;
    EXPECT_NEAR(inches, 98 / 96.0, 0.02); // the cell less its frame, on paper
    EXPECT_GT(drawn.pixels.width() / inches, 250);

    // A PDF keeps the photo as finely, whatever resolution it is drawn at.
    const QString path = dir.filePath(QStringLiteral("photo.pdf"));
    ASSERT_TRUE(PdfWriter::write(path, data));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch image = QRegularExpression(QStringLiteral("/Subtype\\s*/Image[^>]*/Width\\s+(\\d+)"))
                                              .match(QString::fromLatin1(file.readAll()));
    ASSERT_TRUE(image.hasMatch());
    EXPECT_GT(image.captured(1).toInt() / inches, 250);
}

TEST(PdfWriter, ALongDocumentPaintedByManyThreadsHasTheSamePagesAsByOne)
{
    // About 200 pages, numbered in the footer, with a title on each and merged blocks.
    GridData data = list(38 * 200 + 1);
    data.pageSetup().Footer = QStringLiteral("共&n页  第&p页");
    data.pageSetup().PrintGridlines = true;
    data.reportTitles().Add({ .text = QStringLiteral("考场名单"), .Font = { QStringLiteral("宋体"), 14 } });
    for (int row = 1; row + 1 < data.rows(); row += 5)
        data.merge({ row, 2, row + 1, 3 });
    const QTemporaryDir dir;
    const QString one = dir.filePath(QStringLiteral("one.pdf"));
    const QString many = dir.filePath(QStringLiteral("many.pdf"));
    ASSERT_TRUE(PdfWriter::write(one, data, nullptr, 1));
    ASSERT_TRUE(PdfWriter::write(many, data, nullptr, 4));
    const std::vector<std::string> byOne = pageContents(one);
    const std::vector<std::string> byMany = pageContents(many);
    const qsizetype pages = Paginator::paginate(data).size();
    ASSERT_GT(pages, 190);
    ASSERT_EQ(byOne.size(), size_t(pages));
    ASSERT_EQ(byMany.size(), byOne.size());
    EXPECT_NE(byOne[0].find("8003 573A 540D 5355"), std::string::npos) << "the title, 考场名单, read back";
    // Texts drawn from glyphs put together character by character read back as written (行,
    // not the radical ⾏ whose glyph the font shares with it).
    EXPECT_NE(byOne[0].find("7B2C 0031 0032 884C"), std::string::npos) << "第12行";
    EXPECT_NE(byOne[1].find("7B2C 0035 0030 884C"), std::string::npos) << "第50行";
    for (size_t page = 0; page < byOne.size(); ++page)
        EXPECT_EQ(byMany[page], byOne[page]) << "page " << page + 1;
    // Where the runs meet, the pages go on in order.
    EXPECT_EQ(joined(recordPage(data, 52)).count(QStringLiteral("共%1页  第52页").arg(pages)), 1);

    QString error;
    EXPECT_FALSE(PdfWriter::write(dir.filePath(QStringLiteral("no/such/folder/many.pdf")), data, &error, 4));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PdfWriter, WritesEveryPage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.pdf"));
    GridData data = list(38 * 2 + 10);
    data.pageSetup().Footer = QStringLiteral("共&n页  第&p页");
    ASSERT_TRUE(PdfWriter::write(path, data));
    EXPECT_EQ(pdfPageCount(path), 3);

    // Pages 2 and 3 only, as a teacher reprinting them asks the print dialog.
    const QString some = dir.filePath(QStringLiteral("some.pdf"));
    QPdfWriter pdf(some);
    PagePainter::setUpDevice(pdf, data.pageSetup());
    QPainter painter(&pdf);
    const QList<Page> pages = Paginator::paginate(data);
    PagePainter::paintPages(painter, pdf, data, pages.mid(1, 2), int(pages.size()));
    painter.end();
    EXPECT_EQ(pdfPageCount(some), 2);

    QString error;
    EXPECT_FALSE(PdfWriter::write(dir.filePath(QStringLiteral("no/such/folder/list.pdf")), data, &error));
    EXPECT_FALSE(error.isEmpty());
}

// The written file says its texts in fewer words than Qt does; a reader still puts every
// word where Qt's own file has it, Chinese and Latin, in every size on the page.
TEST(PdfWriter, TextsStandWhereQtPutsThem)
{
    GridData data = list(38 * 2 + 10);
    data.setText(3, 2, QStringLiteral("O'Hara国际学校 Lab 3 (East)"));
    data.setText(4, 3, QStringLiteral("000123"));
    data.updateStyle(CellRange::cell(4, 3), [](CellStyle &style) { style.italic = true; });
    data.updateStyle(CellRange::cell(5, 2), [](CellStyle &style) {
        style.fontSize = 20;
        style.bold = true;
    });
    data.setText(5, 2, QStringLiteral("大字 WIDE"));
    data.pageSetup().Footer = QStringLiteral("共&n页  第&p页");
    data.reportTitles().Add({ .text = QStringLiteral("考场名单 2024"), .Font = { QStringLiteral("宋体"), 14 } });
    const QTemporaryDir dir;
    const QString asQt = dir.filePath(QStringLiteral("qt.pdf"));
    {
        QPdfWriter pdf(asQt);
        PagePainter::setUpDevice(pdf, data.pageSetup());
        QPainter painter(&pdf);
        const QList<Page> pages = Paginator::paginate(data);
        PagePainter::paintPages(painter, pdf, data, pages, int(pages.size()));
    }
    const QString ours = dir.filePath(QStringLiteral("ours.pdf"));
    ASSERT_TRUE(PdfWriter::write(ours, data));
    const auto expected = wordsOf(asQt);
    const auto written = wordsOf(ours);
    ASSERT_GT(expected.size(), size_t(2 * 38)) << "pdftotext (poppler-utils) must be installed";
    // Qt's file reads some characters back as others or as nothing, so words are matched, in
    // order, by where they start.
    ASSERT_GE(written.size(), expected.size());
    auto found = written.begin();
    for (const auto &[word, box] : expected) {
        SCOPED_TRACE(word.toStdString());
        found = std::find_if(found, written.end(), [&box](const auto &w) {
            // A glyph may stand two thousandths of an em off: 0.04 point in 20-point type.
            return std::abs(w.second.left() - box.left()) <= 0.041 && std::abs(w.second.top() - box.top()) <= 0.002;
        });
        ASSERT_NE(found, written.end());
        EXPECT_EQ(found->first.size(), word.size());
        EXPECT_NEAR(found->second.right(), box.right(), 0.041);
    }
    EXPECT_LT(QFile(ours).size(), QFile(asQt).size());
}

// A printer as the print dialog leaves it for "print to file": a PDF of `path`, the pages of
// `ranges` (all when empty).
void printToFile(QPrinter &printer, const QString &path, const QString &ranges)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (!ranges.isEmpty())
        printer.setPageRanges(QPageRanges::fromString(ranges));
}

// A printer that makes the copies asked for itself, as most do: what it is sent lands in a PDF
// file, once, however many copies it will make of it.
class CopyingPrinter : public QPrinter {
public:
    explicit CopyingPrinter(const QString &path)
        : QPrinter(QPrinter::HighResolution)
    {
        printToFile(m_file, path, {});
        m_engine.real = m_file.printEngine();
        setEngines(&m_engine, m_file.paintEngine());
    }

private:
    QPrinter m_file { QPrinter::HighResolution };
    struct Engine : QPrintEngine {
        QPrintEngine *real = nullptr;
        void setProperty(PrintEnginePropertyKey key, const QVariant &value) override { real->setProperty(key, value); }
        QVariant property(PrintEnginePropertyKey key) const override
        {
            return key == PPK_SupportsMultipleCopies ? QVariant(true)
                : key == PPK_OutputFileName          ? QVariant(QString())
                                                     : real->property(key);
        }
        bool newPage() override { return real->newPage(); }
        bool abort() override { return real->abort(); }
        int metric(QPaintDevice::PaintDeviceMetric id) const override { return real->metric(id); }
        QPrinter::PrinterState printerState() const override { return real->printerState(); }
    } m_engine;
};

// The words of a PDF file in reading order, one string.
QString textOf(const QString &path)
{
    QStringList words;
    for (const auto &[word, box] : wordsOf(path))
        words << word;
    return words.join(QLatin1Char(' '));
}

// 文件/打印 to a PDF file: the paper, orientation and pages chosen in the print dialog, the
// file written compactly; the grid's own page setup is left as it was.
TEST(PrinterOutput, PrintsToAFileAsThePrintDialogLeftThePrinter)
{
    const GridData data = [] {
        GridData list86 = list(38 * 2 + 10);
        list86.pageSetup().Footer = QStringLiteral("共&n页  第&p页");
        return list86;
    }();
    const QTemporaryDir dir;
    const struct {
        const char *name;
        QPageLayout::Orientation orientation;
        QString ranges;
        int pages;
        const char *lastFooter; // 页 reads back as the radical whose glyph the font shares with it
    } cases[] = {
        { "every page", QPageLayout::Portrait, {}, 3, "共3. 第3." },
        { "turned to landscape", QPageLayout::Landscape, {}, 4, "共4. 第4." },
        { "pages 2 and 3 of 3", QPageLayout::Portrait, QStringLiteral("2-3"), 2, "共3. 第3." },
        { "page 1 only", QPageLayout::Portrait, QStringLiteral("1"), 1, "共3. 第1." },
        { "pages 3 to 9 of 3", QPageLayout::Portrait, QStringLiteral("3-9"), 1, "共3. 第3." },
        { "page 4 of 4 in landscape", QPageLayout::Landscape, QStringLiteral("4"), 1, "共4. 第4." },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QPrinter printer(QPrinter::HighResolution);
        const QString path = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        printToFile(printer, path, c.ranges);
        printer.setPageOrientation(c.orientation);
        QString error;
        ASSERT_TRUE(PrinterOutput::print(printer, data, &error)) << error.toStdString();
        EXPECT_EQ(pdfPageCount(path), c.pages);
        const QString text = textOf(path);
        EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8(c.lastFooter) + '$'))) << text.toStdString();
    }
    EXPECT_EQ(data.pageSetup().Orientation, 1);

    // Pages the document does not have: said, and no blank sheet.
    QPrinter pastTheEnd(QPrinter::HighResolution);
    pastTheEnd.setOutputFormat(QPrinter::PdfFormat);
    pastTheEnd.setOutputFileName(dir.filePath(QStringLiteral("past.pdf")));
    pastTheEnd.setPageRanges(QPageRanges::fromString(QStringLiteral("5-6")));
    QString notThere;
    EXPECT_FALSE(PrinterOutput::print(pastTheEnd, data, &notThere));
    EXPECT_TRUE(notThere.contains(QStringLiteral("共 3 页"))) << notThere.toStdString();
    EXPECT_FALSE(QFile::exists(pastTheEnd.outputFileName()));

    QPrinter nowhere(QPrinter::HighResolution);
    nowhere.setOutputFormat(QPrinter::PdfFormat);
    nowhere.setOutputFileName(dir.filePath(QStringLiteral("no/such/folder/list.pdf")));
    QString error;
    EXPECT_FALSE(PrinterOutput::print(nowhere, data, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no/such/folder"))) << error.toStdString();
}

// A PDF that cannot be written says where and why, whether or not the document has pictures.
TEST(PdfWriter, AFileThatCannotBeWrittenSaysWhereAndWhy)
{
    const QTemporaryDir dir;
    GridData withPicture = list(3);
    QImage photo(60, 80, QImage::Format_RGB32);
    photo.fill(Qt::red);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    photo.save(&bytes, "JPEG");
    ASSERT_TRUE(withPicture.images().addData(QStringLiteral("1001"), bytes.data()));
    withPicture.setImageKey(1, 2, QStringLiteral("1001"));
    const struct {
        QString path;
        const char *why;
    } cases[] = {
        { dir.filePath(QStringLiteral("no/such/folder/list.pdf")), "文件夹不存在，或者没有写入的权限" },
        { QStringLiteral("/dev/full"), "磁盘已满，或者磁盘无法写入" },
    };
    for (const GridData &data : { list(3), withPicture })
        for (const auto &c : cases) {
            QString error;
            EXPECT_FALSE(PdfWriter::write(c.path, data, &error)) << c.path.toStdString();
            EXPECT_EQ(error, QStringLiteral("无法写入文件 %1：%2。").arg(c.path, QString::fromUtf8(c.why)));
        }
}

// A PDF printer makes no copies and keeps no order of its own: the sheets come in the order
// and number the print dialog asked for, each footer still counting the document's pages.
TEST(PrinterOutput, TheDialogsOrderAndCopiesReachAFile)
{
    GridData data = list(38 * 2 + 10);
    data.pageSetup().Footer = QStringLiteral("共&n页  第&p页");
    const QTemporaryDir dir;
    const struct {
        const char *name;
        QString ranges;
        bool lastFirst;
        int copies;
        bool collate;
        std::vector<int> footers; // the page number on each sheet, in file order
        bool printerCopies = false;
    } cases[] = {
        { "last page first", {}, true, 1, true, { 3, 2, 1 } },
        { "two copies collated", QStringLiteral("2-3"), false, 2, true, { 2, 3, 2, 3 } },
        { "two copies, each page together", QStringLiteral("2-3"), false, 2, false, { 2, 2, 3, 3 } },
        { "three copies last first", QStringLiteral("1-2"), true, 3, true, { 2, 1, 2, 1, 2, 1 } },
        { "three copies the printer makes", {}, false, 3, true, { 1, 2, 3 }, true },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        std::unique_ptr<QPrinter> made
            = c.printerCopies ? std::make_unique<CopyingPrinter>(path) : std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrinter &printer = *made;
        if (!c.printerCopies)
            printToFile(printer, path, c.ranges);
        printer.setPageOrder(c.lastFirst ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
        printer.setCopyCount(c.copies);
        printer.setCollateCopies(c.collate);
        QString error;
        ASSERT_TRUE(PrinterOutput::print(printer, data, &error)) << error.toStdString();
        EXPECT_EQ(pdfPageCount(path), int(c.footers.size()));
        const QString text = textOf(path);
        std::vector<int> footers;
        const QRegularExpression footer(QString::fromUtf8("共3. 第(\\d+)."));
        for (auto it = footer.globalMatch(text); it.hasNext();)
            footers.push_back(it.next().captured(1).toInt());
        EXPECT_EQ(footers, c.footers) << text.toStdString();
    }
}

// The print and page setup dialogs show the printer's margins: a printer set up from a grid
// carries the grid's, and the margins a teacher types there are the ones the pages get. A
// printer nobody set up keeps the grid's own; margins too wide for the paper still leave the
// paper and its orientation set.
TEST(PrinterOutput, ThePrintersMarginsAreTheGridsAndTheDialogsChangeThem)
{
    GridData data = list(120);
    data.pageSetup().LeftMargin = 0.7;
    data.pageSetup().TopMargin = 1.3;
    const PageSetup own = data.pageSetup();

    QPrinter prepared(QPrinter::HighResolution);
    PagePainter::setUpDevice(prepared, own);
    const QMarginsF shown = prepared.pageLayout().margins(QPageLayout::Millimeter);
    EXPECT_NEAR(shown.left(), 7, 1e-9);
    EXPECT_NEAR(shown.top(), 13, 1e-9);
    EXPECT_NEAR(shown.right(), 20, 1e-9);
    EXPECT_NEAR(shown.bottom(), 20, 1e-9);
    EXPECT_EQ(Paginator::paginate(PrinterOutput::layoutInput(prepared, data)), Paginator::paginate(data))
        << "the grid's margins come back unchanged";

    const struct {
        const char *what;
        bool prepared;
        QMarginsF typedMm; // as a dialog leaves them; ignored when not prepared
        double left, top; // cm the pages are laid out with
    } cases[] = {
        { "typed in a dialog", true, { 35, 25, 10, 15 }, 3.5, 2.5 },
        { "typed to nothing", true, { 0, 0, 0, 0 }, 0, 0 },
        { "a printer nobody set up", false, {}, 0.7, 1.3 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QPrinter printer(QPrinter::HighResolution);
        if (c.prepared) {
            PagePainter::setUpDevice(printer, own);
            ASSERT_TRUE(printer.setPageMargins(c.typedMm, QPageLayout::Millimeter));
        }
        const Paginator::Input input = PrinterOutput::layoutInput(printer, data);
        EXPECT_DOUBLE_EQ(input.setup.LeftMargin, c.left);
        EXPECT_DOUBLE_EQ(input.setup.TopMargin, c.top);
        const QList<Page> pages = Paginator::paginate(input);
        ASSERT_FALSE(pages.isEmpty());
        EXPECT_NEAR(pages.first().grid.left(), Paginator::fromCm(c.left), 0.5);
    }
    EXPECT_EQ(data.pageSetup(), own);

    PageSetup tooWide = own;
    tooWide.LeftMargin = tooWide.RightMargin = 15;
    tooWide.Orientation = 2;
    tooWide.PaperSize = QPageSize::A5;
    QPrinter printer(QPrinter::HighResolution);
    PagePainter::setUpDevice(printer, tooWide);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}
