#include "GridFile.h"

#include "GridData.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageSize>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr auto Format = "kaowu-grid";
constexpr int MaxRows = 1'000'000;
constexpr int MaxCols = 1'000;
constexpr qint64 MaxCells = 5'000'000;
constexpr int MaxLineSize = 10'000; // pixels: a row or column larger than ten screens is an error
constexpr double MaxFontSize = 409; // points
constexpr double MaxMargin = 50; // centimetres
constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

// Why a document was refused; caught at the top of the loader.
struct Refusal {
    QString reason;
};

[[noreturn]] void refuse(const QString &reason)
{
    throw Refusal { reason };
}

// --- writing -------------------------------------------------------------------------------

QString colorText(quint32 ole)
{
    return QStringLiteral("#%1%2%3")
        .arg(ole & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((ole >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((ole >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

QJsonObject styleJson(const CellStyle &style)
{
    QJsonObject json;
    if (!style.fontName.isEmpty())
        json.insert("font", style.fontName);
    if (style.fontSize > 0)
        json.insert("size", style.fontSize);
    if (style.bold)
        json.insert("bold", true);
    if (style.italic)
        json.insert("italic", true);
    if (style.underline)
        json.insert("underline", true);
    if (style.foreColor != 0)
        json.insert("color", colorText(style.foreColor));
    if (style.backColor != CellStyle::NoColor)
        json.insert("background", colorText(style.backColor));
    if (style.alignment != GridAlignment::Unset)
        json.insert("alignment", style.alignment);
    if (style.wrap)
        json.insert("wrap", true);
    if (style.lines != decltype(style.lines) {}) {
        QJsonArray lines;
        for (quint8 line : style.lines)
            lines.append(int(line));
        json.insert("borders", lines);
    }
    return json;
}

QJsonArray columnsJson(const GridData &data)
{
    QJsonArray columns;
    for (int col = 0; col < data.cols(); ++col) {
        QJsonObject column { { "width", data.colWidth(col) }, { "mask", data.mask(col) },
            { "alignment", data.colAlignment(col) }, { "cellType", data.colCellType(col) } };
        if (!data.formatString(col).isEmpty())
            column.insert("format", data.formatString(col));
        columns.append(column);
    }
    return columns;
}

// Cells that hold anything, and the looks they use: only those, numbered afresh in the order
// they first appear, so a file carries no looks that editing left behind.
void cellsJson(const GridData &data, QJsonArray &cells, QJsonArray &styles)
{
    QHash<int, int> numbers { { 0, 0 } };
    styles.append(styleJson(data.styles().at(0)));
    for (int row = 0; row < data.rows(); ++row) {
        for (int col = 0; col < data.cols(); ++col) {
            QJsonObject cell;
            if (const QString text = data.text(row, col); !text.isEmpty())
                cell.insert("text", text);
            if (const int style = data.styleIndex(row, col); style != 0) {
                auto number = numbers.constFind(style);
                if (number == numbers.constEnd()) {
                    number = numbers.insert(style, int(styles.size()));
                    styles.append(styleJson(data.styles().at(style)));
                }
                cell.insert("style", number.value());
            }
            if (const QString tag = data.tag(row, col); !tag.isEmpty())
                cell.insert("tag", tag);
            // A key whose picture never came (a photo file that was missing) shows nothing and
            // is left out, or the file would be refused when it is opened again.
            if (const QString image = data.imageKey(row, col); !image.isEmpty() && data.images().contains(image))
                cell.insert("image", image);
            if (const int type = data.ownCellType(row, col); type != CellTypeText)
                cell.insert("type", type);
            if (cell.isEmpty())
                continue;
            cell.insert("row", row);
            cell.insert("col", col);
            cells.append(cell);
        }
    }
}

QJsonObject pageSetupJson(const PageSetup &setup)
{
    return QJsonObject { { "Orientation", setup.Orientation }, { "LeftMargin", setup.LeftMargin },
        { "RightMargin", setup.RightMargin }, { "TopMargin", setup.TopMargin }, { "BottomMargin", setup.BottomMargin },
        { "HeaderMargin", setup.HeaderMargin }, { "FooterMargin", setup.FooterMargin },
        { "BlackAndWhite", setup.BlackAndWhite }, { "PrintFixedRow", setup.PrintFixedRow },
        { "PrintFixedColumn", setup.PrintFixedColumn }, { "PrintGridlines", setup.PrintGridlines },
        { "PrintTitleRows", setup.PrintTitleRows }, { "CenterHorizontally", setup.CenterHorizontally },
        { "Header", setup.Header }, { "HeaderAlignment", setup.HeaderAlignment }, { "Footer", setup.Footer },
        { "FooterAlignment", setup.FooterAlignment }, { "PaperSize", QPageSize::key(setup.PaperSize) } };
}

QJsonArray titlesJson(const ReportTitles &titles)
{
    QJsonArray json;
    for (const ReportTitle &title : titles.all())
        json.append(
            QJsonObject { { "text", title.text }, { "FontName", title.Font.Name }, { "FontSize", title.Font.Size },
                { "AlignTo", title.AlignTo }, { "PrintOnAllPages", title.PrintOnAllPages } });
    return json;
}

QJsonObject documentJson(const GridData &data)
{
    QJsonObject json { { "format", Format }, { "version", GridFile::Version }, { "rows", data.rows() },
        { "cols", data.cols() } };
    json.insert("defaultFont",
        QJsonObject { { "name", data.defaultFont().family() }, { "size", data.defaultFont().pointSizeF() } });
    json.insert("displayRowIndex", data.displayRowIndex());
    QJsonArray heights;
    for (int row = 0; row < data.rows(); ++row)
        heights.append(data.rowHeight(row));
    json.insert("rowHeights", heights);
    QJsonArray unnumbered;
    for (int row = 1; row < data.rows(); ++row)
        if (data.rowIndexHidden(row))
            unnumbered.append(row);
    if (!unnumbered.isEmpty())
        json.insert("rowIndexHidden", unnumbered);
    json.insert("columns", columnsJson(data));
    QJsonArray cells;
    QJsonArray styles;
    cellsJson(data, cells, styles);
    json.insert("styles", styles);
    json.insert("cells", cells);
    QJsonArray merges;
    for (const CellRange &m : data.merges())
        merges.append(QJsonArray { m.row1, m.col1, m.row2, m.col2 });
    json.insert("merges", merges);
    QJsonObject images;
    for (const QString &key : data.images().keys())
        images.insert(key, QString::fromLatin1(data.images().data(key).toBase64()));
    json.insert("images", images);
    json.insert("pageSetup", pageSetupJson(data.pageSetup()));
    json.insert("reportTitles", titlesJson(data.reportTitles()));
    QJsonArray breaks;
    for (int row : data.hPageBreaks().rows())
        breaks.append(row);
    json.insert("pageBreaks", breaks);
    return json;
}

// The document with its members in reading order (what the file is and its size first, the
// bulky cells and pictures last), which Qt's writer, sorting keys, would not keep.
QByteArray orderedJson(const QJsonObject &json)
{
    static const char *const order[]
        = { "format", "version", "rows", "cols", "defaultFont", "displayRowIndex", "pageSetup", "reportTitles",
              "pageBreaks", "rowHeights", "rowIndexHidden", "columns", "styles", "merges", "cells", "images" };
    QByteArray out = "{\n";
    for (const char *key : order) {
        if (!json.contains(QLatin1String(key)))
            continue;
        // Qt writes only whole documents: write the value as the one item of a list and take it
        // out again, already indented for a member.
        QByteArray value = QJsonDocument(QJsonArray { json.value(QLatin1String(key)) }).toJson(QJsonDocument::Indented);
        value = value.mid(2, value.size() - 5).trimmed();
        if (out.size() > 2)
            out += ",\n";
        out += "    \"" + QByteArray(key) + "\": " + value;
    }
    return out + "\n}\n";
}

// --- reading -------------------------------------------------------------------------------

// Typed access to one JSON object, refusing values of the wrong kind or out of range. A
// missing key gives the fallback.
class Fields {
public:
    // `what` and `number` name the object in messages ("单元格 12"); the name is only put
    // together when something is refused, as a large grid has a million cells.
    Fields(const QJsonValue &value, const char *what, int number = -1)
        : m_what(what)
        , m_number(number)
    {
        if (!value.isObject())
            refuse(QStringLiteral("%1 应是一个对象").arg(where()));
        m_object = value.toObject();
    }

    QString where() const
    {
        const QString what = QString::fromUtf8(m_what);
        return m_number < 0 ? what : QStringLiteral("%1 %2").arg(what).arg(m_number);
    }

    bool has(const char *key) const { return m_object.contains(QLatin1String(key)); }
    QJsonValue value(const char *key) const { return m_object.value(QLatin1String(key)); }

    double number(const char *key, double min, double max, double fallback) const
    {
        if (!has(key))
            return fallback;
        const QJsonValue v = value(key);
        if (!v.isDouble() || !(v.toDouble() >= min && v.toDouble() <= max))
            refuse(QStringLiteral("%1 的 %2 应是 %3 到 %4 之间的数").arg(where(), key).arg(min).arg(max));
        return v.toDouble();
    }
    int integer(const char *key, int min, int max, int fallback) const
    {
        const double v = number(key, min, max, fallback);
        if (v != std::floor(v))
            refuse(QStringLiteral("%1 的 %2 应是整数").arg(where(), key));
        return int(v);
    }
    bool flag(const char *key, bool fallback) const
    {
        if (!has(key))
            return fallback;
        if (!value(key).isBool())
            refuse(QStringLiteral("%1 的 %2 应是 true 或 false").arg(where(), key));
        return value(key).toBool();
    }
    QString text(const char *key, const QString &fallback = {}) const
    {
        if (!has(key))
            return fallback;
        if (!value(key).isString())
            refuse(QStringLiteral("%1 的 %2 应是文字").arg(where(), key));
        return value(key).toString();
    }
    QJsonArray array(const char *key) const
    {
        if (!has(key))
            return {};
        if (!value(key).isArray())
            refuse(QStringLiteral("%1 的 %2 应是列表").arg(where(), key));
        return value(key).toArray();
    }
    quint32 color(const char *key, quint32 fallback) const
    {
        if (!has(key))
            return fallback;
        static const QRegularExpression pattern(QStringLiteral("^#[0-9a-fA-F]{6}$"));
        const QString text = this->text(key);
        if (!pattern.match(text).hasMatch())
            refuse(QStringLiteral("%1 的 %2 应是 #rrggbb 形式的颜色").arg(where(), key));
        const quint32 rgb = text.mid(1).toUInt(nullptr, 16);
        return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }

private:
    QJsonObject m_object;
    const char *m_what;
    int m_number;
};

int integerAt(const QJsonArray &array, int index, int min, int max, const QString &where)
{
    const QJsonValue v = array.at(index);
    if (!v.isDouble() || v.toDouble() != std::floor(v.toDouble()) || v.toDouble() < min || v.toDouble() > max)
        refuse(QStringLiteral("%1 的第 %2 项应是 %3 到 %4 之间的整数").arg(where).arg(index + 1).arg(min).arg(max));
    return int(v.toDouble());
}

CellStyle readStyle(const QJsonValue &value, int index)
{
    const Fields f(value, "样式", index);
    CellStyle style;
    style.fontName = f.text("font");
    style.fontSize = f.number("size", 0, MaxFontSize, 0);
    style.bold = f.flag("bold", false);
    style.italic = f.flag("italic", false);
    style.underline = f.flag("underline", false);
    style.foreColor = f.color("color", 0);
    style.backColor = f.color("background", CellStyle::NoColor);
    style.alignment = f.integer("alignment", 0, 15, GridAlignment::Unset);
    if (style.alignment != GridAlignment::Unset && !GridAlignment::isValid(style.alignment))
        refuse(QStringLiteral("样式 %1 的对齐方式 %2 无效").arg(index).arg(style.alignment));
    style.wrap = f.flag("wrap", false);
    const QJsonArray lines = f.array("borders");
    if (f.has("borders") && lines.size() != qsizetype(style.lines.size()))
        refuse(QStringLiteral("样式 %1 的 borders 应有 6 项").arg(index));
    for (int i = 0; i < lines.size(); ++i)
        style.lines[size_t(i)]
            = quint8(integerAt(lines, i, LineNone, LineThick, QStringLiteral("样式 %1 的 borders").arg(index)));
    return style;
}

void readSizes(const Fields &doc, GridData &grid)
{
    const QJsonArray heights = doc.array("rowHeights");
    if (doc.has("rowHeights") && heights.size() != grid.rows())
        refuse(QStringLiteral("rowHeights 的项数应等于行数 %1").arg(grid.rows()));
    for (int row = 0; row < heights.size(); ++row)
        grid.setRowHeight(row, integerAt(heights, row, 0, MaxLineSize, QStringLiteral("rowHeights")));
    const QJsonArray unnumbered = doc.array("rowIndexHidden");
    for (int i = 0; i < unnumbered.size(); ++i)
        grid.setRowIndexHidden(integerAt(unnumbered, i, 1, grid.rows() - 1, QStringLiteral("rowIndexHidden")), true);

    const QJsonArray columns = doc.array("columns");
    if (doc.has("columns") && columns.size() != grid.cols())
        refuse(QStringLiteral("columns 的项数应等于列数 %1").arg(grid.cols()));
    for (int col = 0; col < columns.size(); ++col) {
        const Fields f(columns.at(col), "列", col);
        grid.setColWidth(col, f.integer("width", 0, MaxLineSize, grid.colWidth(col)));
        const int mask = f.integer("mask", MaskNone, MaskNumber, MaskNone);
        if (mask != MaskNone && mask != MaskText && mask != MaskNumber)
            refuse(QStringLiteral("第 %1 列的掩码 %2 未知").arg(col).arg(mask));
        grid.setMask(col, mask);
        const int alignment = f.integer("alignment", 0, 15, GridAlignment::Unset);
        if (alignment != GridAlignment::Unset && !GridAlignment::isValid(alignment))
            refuse(QStringLiteral("第 %1 列的对齐方式 %2 无效").arg(col).arg(alignment));
        grid.setColAlignment(col, alignment);
        grid.setColCellType(col, f.integer("cellType", CellTypeText, CellTypeCheckBox, CellTypeText));
        grid.setFormatString(col, f.text("format"));
    }
}

void readImages(const Fields &doc, GridData &grid)
{
    if (!doc.has("images"))
        return;
    if (!doc.value("images").isObject())
        refuse(QStringLiteral("images 应是一个对象"));
    const QJsonObject object = doc.value("images").toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QByteArray bytes
            = QByteArray::fromBase64Encoding(it.value().toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors)
                  .decoded;
        if (!it.value().isString() || bytes.isEmpty() || !grid.images().addData(it.key(), bytes))
            refuse(QStringLiteral("图片 %1 无法读取").arg(it.key()));
    }
}

void readCells(const Fields &doc, const QList<CellStyle> &styles, GridData &grid)
{
    const QJsonArray cells = doc.array("cells");
    for (int i = 0; i < cells.size(); ++i) {
        const Fields f(cells.at(i), "单元格", i + 1);
        if (!f.has("row") || !f.has("col"))
            refuse(QStringLiteral("%1 缺少 row 或 col").arg(f.where()));
        const int row = f.integer("row", 0, grid.rows() - 1, 0);
        const int col = f.integer("col", 0, grid.cols() - 1, 0);
        grid.setText(row, col, f.text("text"));
        grid.setTag(row, col, f.text("tag"));
        const QString image = f.text("image");
        if (!image.isEmpty() && !grid.images().contains(image))
            refuse(QStringLiteral("单元格 (%1, %2) 引用的图片 %3 不存在").arg(row).arg(col).arg(image));
        grid.setImageKey(row, col, image);
        grid.setCellType(row, col, f.integer("type", CellTypeText, CellTypeCheckBox, CellTypeText));
        if (f.has("style"))
            grid.setStyle(row, col, styles[f.integer("style", 0, int(styles.size()) - 1, 0)]);
    }
}

void readMerges(const Fields &doc, GridData &grid)
{
    const QJsonArray merges = doc.array("merges");
    std::vector<CellRange> blocks;
    blocks.reserve(size_t(merges.size()));
    for (int i = 0; i < merges.size(); ++i) {
        const QString where = QStringLiteral("第 %1 个合并").arg(i + 1);
        const QJsonArray m = merges.at(i).toArray();
        if (m.size() != 4)
            refuse(QStringLiteral("%1 应是 [行1, 列1, 行2, 列2]").arg(where));
        const int row1 = integerAt(m, 0, 0, grid.rows() - 1, where);
        const int col1 = integerAt(m, 1, 0, grid.cols() - 1, where);
        const int row2 = integerAt(m, 2, row1, grid.rows() - 1, where);
        const int col2 = integerAt(m, 3, col1, grid.cols() - 1, where);
        const CellRange block { row1, col1, row2, col2 };
        if (block.isSingleCell())
            refuse(QStringLiteral("%1 只有一个单元格").arg(where));
        blocks.push_back(block);
    }
    // All at once: each block checked against every other would take hours on a large file.
    if (const int overlapping = grid.setMerges(std::move(blocks)); overlapping >= 0)
        refuse(QStringLiteral("第 %1 个合并与另一个合并重叠").arg(overlapping + 1));
}

QPageSize::PageSizeId paperSizeOf(const QString &key)
{
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto size = QPageSize::PageSizeId(id);
        if (size != QPageSize::Custom && QPageSize::key(size) == key)
            return size;
    }
    refuse(QStringLiteral("纸张 %1 未知").arg(key));
}

void readPageSetup(const Fields &doc, GridData &grid)
{
    if (!doc.has("pageSetup"))
        return;
    const Fields f(doc.value("pageSetup"), "pageSetup");
    PageSetup s;
    s.Orientation = f.integer("Orientation", 1, 2, s.Orientation);
    s.LeftMargin = f.number("LeftMargin", 0, MaxMargin, s.LeftMargin);
    s.RightMargin = f.number("RightMargin", 0, MaxMargin, s.RightMargin);
    s.TopMargin = f.number("TopMargin", 0, MaxMargin, s.TopMargin);
    s.BottomMargin = f.number("BottomMargin", 0, MaxMargin, s.BottomMargin);
    s.HeaderMargin = f.number("HeaderMargin", 0, MaxMargin, s.HeaderMargin);
    s.FooterMargin = f.number("FooterMargin", 0, MaxMargin, s.FooterMargin);
    s.BlackAndWhite = f.flag("BlackAndWhite", s.BlackAndWhite);
    s.PrintFixedRow = f.flag("PrintFixedRow", s.PrintFixedRow);
    s.PrintFixedColumn = f.flag("PrintFixedColumn", s.PrintFixedColumn);
    s.PrintGridlines = f.flag("PrintGridlines", s.PrintGridlines);
    s.PrintTitleRows = f.integer("PrintTitleRows", 0, grid.rows(), s.PrintTitleRows);
    s.CenterHorizontally = f.flag("CenterHorizontally", s.CenterHorizontally);
    s.Header = f.text("Header");
    s.HeaderAlignment = f.integer("HeaderAlignment", 0, 2, s.HeaderAlignment);
    s.Footer = f.text("Footer");
    s.FooterAlignment = f.integer("FooterAlignment", 0, 2, s.FooterAlignment);
    if (f.has("PaperSize"))
        s.PaperSize = paperSizeOf(f.text("PaperSize"));
    grid.pageSetup() = s;
}

void readTitles(const Fields &doc, GridData &grid)
{
    const QJsonArray titles = doc.array("reportTitles");
    for (int i = 0; i < titles.size(); ++i) {
        const Fields f(titles.at(i), "标题", i + 1);
        ReportTitle title;
        title.text = f.text("text");
        title.Font.Name = f.text("FontName", title.Font.Name);
        title.Font.Size = f.number("FontSize", 1, MaxFontSize, title.Font.Size);
        title.AlignTo = f.integer("AlignTo", 0, 1, title.AlignTo);
        title.PrintOnAllPages = f.flag("PrintOnAllPages", title.PrintOnAllPages);
        grid.reportTitles().Add(title);
    }
}

void readPageBreaks(const Fields &doc, GridData &grid)
{
    const QJsonArray breaks = doc.array("pageBreaks");
    for (int i = 0; i < breaks.size(); ++i)
        grid.hPageBreaks().Add(integerAt(breaks, i, 1, grid.rows() - 1, QStringLiteral("pageBreaks")));
}

// Step by step into a fresh grid, so a refusal half-way leaves nothing behind.
GridData readDocument(const QJsonObject &json)
{
    const Fields doc(json, "文件");
    if (doc.text("format") != QLatin1String(Format))
        refuse(QStringLiteral("不是表格文件"));
    if (!doc.has("version"))
        refuse(QStringLiteral("缺少版本号"));
    const int version = doc.integer("version", 0, INT_MAX, 0);
    if (version != GridFile::Version)
        refuse(QStringLiteral("不支持的表格文件版本 %1").arg(version));
    if (!doc.has("rows") || !doc.has("cols"))
        refuse(QStringLiteral("缺少行数或列数"));
    const int rows = doc.integer("rows", 1, MaxRows, 1);
    const int cols = doc.integer("cols", 1, MaxCols, 1);
    if (qint64(rows) * cols > MaxCells)
        refuse(QStringLiteral("表格过大：%1 行 × %2 列").arg(rows).arg(cols));

    GridData grid;
    grid.setCols(cols);
    grid.setRows(rows);
    if (doc.has("defaultFont")) {
        const Fields f(doc.value("defaultFont"), "defaultFont");
        QFont font(f.text("name", grid.defaultFont().family()));
        font.setPointSizeF(f.number("size", 1, MaxFontSize, grid.defaultFont().pointSizeF()));
        grid.setDefaultFont(font);
    }
    grid.setDisplayRowIndex(doc.flag("displayRowIndex", false));
    readSizes(doc, grid);

    // Cells name their look by its place in "styles"; cells that name none are plain.
    QList<CellStyle> styles;
    const QJsonArray styleArray = doc.array("styles");
    for (int i = 0; i < styleArray.size(); ++i)
        styles.append(readStyle(styleArray.at(i), i));
    readImages(doc, grid);
    readCells(doc, styles, grid);
    readMerges(doc, grid);
    readPageSetup(doc, grid);
    readTitles(doc, grid);
    readPageBreaks(doc, grid);
    return grid;
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QByteArray GridFile::toJson(const GridData &data)
{
    return orderedJson(documentJson(data));
}

bool GridFile::fromJson(const QByteArray &json, GridData &data, QString *error)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError)
        return fail(
            error, QStringLiteral("文件内容损坏（第 %1 个字符处：%2）").arg(parse.offset).arg(parse.errorString()));
    if (!document.isObject())
        return fail(error, QStringLiteral("不是表格文件"));
    try {
        data = readDocument(document.object());
    } catch (const Refusal &refusal) {
        return fail(error, refusal.reason);
    }
    return true;
}

bool GridFile::load(const QString &path, GridData &data, QString *error)
{
    // Opened without waiting, so that a named pipe in the file's place cannot hold the window
    // until something writes to it; only a file kept on disk is read, for a device such as
    // /dev/zero never ends and its size says 0.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return fail(error, QStringLiteral("无法打开文件 %1：%2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    QFile file;
    file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        return fail(error,
            S_ISDIR(status.st_mode)
                ? QStringLiteral("%1 是一个文件夹，不是表格文件。").arg(path)
                : QStringLiteral("%1 不是普通文件（可能是管道或设备），只能读取保存在磁盘上的表格文件。").arg(path));
    // Never more than the limit, whatever the file grows to while it is read.
    QByteArray json;
    while (json.size() <= MaxFileSize) {
        const QByteArray chunk = file.read(qMin<qint64>(MaxFileSize + 1 - json.size(), 1024 * 1024));
        if (chunk.isEmpty())
            break;
        json += chunk;
    }
    if (status.st_size > MaxFileSize || json.size() > MaxFileSize)
        return fail(error, QStringLiteral("文件 %1 过大").arg(path));
    QString reason;
    if (!fromJson(json, data, &reason))
        return fail(error, QStringLiteral("%1：%2").arg(path, reason));
    return true;
}

namespace {

// What a teacher reads when a save fails: in Chinese, where, and that the file saved before is
// still whole (the new one is written beside it and only then takes its place). The system's
// own words are English, and on a full disk often only "Unknown error".
QString SaveFailure(const QString &path, const QSaveFile &file)
{
    QString why;
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        why = QStringLiteral("文件夹不存在，或者没有写入的权限");
        break;
    case QFileDevice::WriteError:
    case QFileDevice::ResizeError:
        why = QStringLiteral("磁盘已满，或者磁盘无法写入");
        break;
    default:
        why = QStringLiteral("写入时出错");
        break;
    }
    return QStringLiteral("无法保存文件 %1：%2。原有的文件没有改变。").arg(path, why);
}

} // namespace

bool GridFile::save(const QString &path, const GridData &data, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, SaveFailure(path, file));
    const QByteArray json = toJson(data);
    if (file.write(json) != json.size() || !file.commit())
        return fail(error, SaveFailure(path, file));
    return true;
}
