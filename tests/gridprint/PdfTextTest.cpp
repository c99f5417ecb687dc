#include "griddata/GridData.h"
#include "gridprint/PdfWriter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

// A PDF's text layer reads back as the texts printed, whatever the font, weight or script:
// a school office searches a list for a name and copies an exam number out of a ticket.
namespace {

const QString Lookalikes = QStringLiteral("女高心子民马一二入片页");

void setBold(GridData &data, const CellRange &range, double size)
{
    data.updateStyle(range, [size](CellStyle &style) {
        style.bold = true;
        style.fontSize = size;
    });
}

// A list page: a title, the header row, names and schools that share glyphs with radicals
// (and a radical drawn as such, underlined), the page number below.
GridData listPage()
{
    GridData data;
    data.setCols(4);
    data.setRows(7);
    data.pageSetup().PrintFixedRow = true;
    data.pageSetup().Footer = QStringLiteral("第&p页");
    data.reportTitles().Add({ .text = QStringLiteral("民族中学 考场名单"), .Font = { QStringLiteral("宋体"), 16 } });
    const QStringList rows[] = { { "考号", "姓名", "学校" }, { "000101", "马子心", "民族中学" },
        { "000102", "高一二", "第一中学" }, { "000103", "入片女", Lookalikes }, { "000104", "王 小明", "实验中学" },
        { "000105", "Lee Ann", "O'Hara国际学校" }, { "000106", "⼥ 女", "下划线" } };
    for (int row = 0; row < 7; ++row)
        for (int col = 1; col <= 3; ++col)
            data.setText(row, col, rows[row][col - 1]);
    data.updateStyle(CellRange(6, 2, 6, 3), [](CellStyle &style) { style.underline = true; });
    data.setColWidth(3, 200);
    return data;
}

// An admission ticket: a bold title, labels and values with a prefixed exam number in bold,
// the photo beside them.
GridData ticketPage()
{
    GridData data;
    data.setCols(4);
    data.setRows(5);
    data.setText(1, 1, QStringLiteral("准考证"));
    data.setText(2, 1, QStringLiteral("考号"));
    data.setText(2, 2, QStringLiteral("KS000002"));
    data.setText(3, 1, QStringLiteral("姓名"));
    data.setText(3, 2, QStringLiteral("马心"));
    data.setText(4, 1, QStringLiteral("考场"));
    data.setText(4, 2, QStringLiteral("第 7 考场"));
    setBold(data, CellRange::cell(1, 1), 18);
    setBold(data, CellRange::cell(2, 2), 12);
    setBold(data, CellRange::cell(4, 2), 12);
    data.setColWidth(2, 150);
    data.setColWidth(3, 90);
    data.merge({ 2, 3, 4, 3 });
    QImage photo(90, 120, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    data.images().addData(QStringLiteral("KS000002"), png);
    data.setImageKey(2, 3, QStringLiteral("KS000002"));
    for (int row = 2; row <= 4; ++row)
        data.setRowHeight(row, 40);
    return data;
}

// A desk label: the room in large bold type, the seat, the exam number and the name slanted.
GridData deskLabelPage()
{
    GridData data;
    data.setCols(2);
    data.setRows(4);
    data.setText(1, 1, QStringLiteral("第 7 考场"));
    data.setText(2, 1, QStringLiteral("12 号"));
    data.setText(3, 1, QStringLiteral("KS000002 高子民"));
    setBold(data, CellRange(1, 1, 3, 1), 28);
    // Chinese type has no italic face: Qt slants it.
    data.updateStyle(CellRange::cell(3, 1), [](CellStyle &style) { style.italic = true; });
    data.setColWidth(1, 400);
    for (int row = 1; row <= 3; ++row)
        data.setRowHeight(row, 60);
    return data;
}

QString pdfToText(const QString &path, const QString &mode)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), { mode, path, QStringLiteral("-") });
    reader.waitForFinished(60000);
    return QString::fromUtf8(reader.readAllStandardOutput());
}

QStringList words(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// The content of a page, its streams one after the other.
std::string pageContent(const QString &path)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    std::string content;
    for (QPDFObjectHandle &stream : QPDFPageDocumentHelper(pdf).getAllPages().front().getPageContents()) {
        const auto bytes = stream.getStreamData(qpdf_dl_generalized);
        content.append(reinterpret_cast<const char *>(bytes->getBuffer()), bytes->getSize());
    }
    return content;
}

size_t count(const std::string &text, const std::string &what)
{
    size_t found = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++found;
    return found;
}

} // namespace

TEST(PdfText, ReadsBackAsPrintedCompactly)
{
    const struct {
        const char *name;
        GridData data;
        QString printed; // the page's texts in reading order
        QString withBlank; // a text whose blank must read back as a blank
        int texts; // lines of text drawn
    } cases[] = {
        { "list", listPage(),
            QStringLiteral("民族中学 考场名单 考号 姓名 学校 000101 马子心 民族中学 000102 高一二 第一中学 000103 入片女 ")
                + Lookalikes + QStringLiteral(" 000104 王 小明 实验中学 000105 Lee Ann O'Hara国际学校 000106 ⼥ 女 下划线 第1页"),
            QStringLiteral("王 小明"), 23 },
        { "ticket", ticketPage(), QStringLiteral("准考证 考号 KS000002 姓名 马心 考场 第 7 考场"),
            QStringLiteral("第 7 考场"), 7 },
        { "desk label", deskLabelPage(), QStringLiteral("第 7 考场 12 号 KS000002 高子民"),
            QStringLiteral("KS000002 高子民"), 3 },
    };
    const QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(QString::fromUtf8(c.name)));
        ASSERT_TRUE(PdfWriter::write(path, c.data));
        EXPECT_EQ(words(pdfToText(path, QStringLiteral("-layout"))), words(c.printed))
            << "pdftotext (poppler-utils) must be installed";
        EXPECT_TRUE(pdfToText(path, QStringLiteral("-raw")).contains(c.withBlank));

        // What the compaction achieves: each text one string placed from the last, its glyphs
        // moved within it only where the font's widths would put them off their places.
        const std::string content = pageContent(path);
        const size_t start = content.rfind("Q\n0.75");
        ASSERT_NE(start, std::string::npos) << content;
        const std::string texts = content.substr(start);
        static const std::regex move("> (-?[0-9]+) <");
        EXPECT_EQ(count(texts, " Td "), size_t(c.texts)) << texts;
        EXPECT_EQ(count(texts, " Tj\n") + count(texts, " TJ\n"), size_t(c.texts)) << texts;
        const qsizetype glyphs = c.printed.size() - c.printed.count(u' ') + c.withBlank.count(u' ');
        // Hinted digits drift a few thousandths of an em; kerned Latin a few hundredths.
        qsizetype moves = 0;
        for (auto it = std::sregex_iterator(texts.begin(), texts.end(), move); it != std::sregex_iterator(); ++it) {
            EXPECT_LE(std::abs(std::stoi((*it)[1])), 30) << texts;
            ++moves;
        }
        EXPECT_LE(moves, glyphs / 4) << texts;
        EXPECT_LE(qsizetype(texts.size()), 60 * c.texts + 5 * glyphs) << texts;
    }
}

// A typeface with no bold of its own Qt makes bold by drawing it twice a hair apart: the texts
// are made bold alike, the second drawing read as nothing.
TEST(PdfText, ATypefaceWithoutBoldIsMadeBoldAsQtDoes)
{
    GridData data;
    data.setCols(2);
    data.setRows(3);
    data.setText(1, 1, QStringLiteral("Math 12"));
    data.setText(2, 1, QStringLiteral("plain 34"));
    data.updateStyle(CellRange::cell(1, 1), [](CellStyle &style) {
        style.fontName = QStringLiteral("DejaVu Math TeX Gyre");
        style.bold = true;
    });
    data.setColWidth(1, 200);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bold.pdf"));
    ASSERT_TRUE(PdfWriter::write(path, data));
    EXPECT_EQ(words(pdfToText(path, QStringLiteral("-layout"))), words(QStringLiteral("Math 12 plain 34")));
    const std::string content = pageContent(path);
    const size_t start = content.rfind("Q\n0.75");
    ASSERT_NE(start, std::string::npos) << content;
    EXPECT_EQ(count(content.substr(start), "/Span<</ActualText<>>>BDC"), 1u) << content;
}
