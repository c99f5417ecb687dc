#include "tickets/DeskLabels.h"

#include "datastore/DeskLabelQueries.h"
#include "db/Error.h"
#include "examrooms/ExamNoSettings.h"
#include "examrooms/ShownExamNumber.h"
#include "gridview/Grid.h"
#include "griddata/GridData.h"
#include "prompts/Prompts.h"
#include "workspace/PrintLayouts.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>

#include <cmath>

namespace {

const QString LabelFont = QStringLiteral("黑体");
constexpr double LabelPoints = 72;
constexpr int SeatsPerRow = 5;
constexpr int SeatColWidth = 130;
constexpr int SeatRowHeight = 110;
constexpr int ExamNumberRowHeight = 100;
// Page width the exam-number labels share: one 700 wide, or two of 350.
constexpr int ExamNumberRowWidth = 700;
// Longer shown numbers do not fit two to a row at 72 points.
constexpr int LongestPairedLabel = 7;
// Space the grid leaves between a cell's text and its sides.
constexpr int TextInset = 4;
// Layout units are pixels at 96 dpi.
constexpr int DotsPerMeter = 3780;
// A label is never shrunk below this.
constexpr double SmallestPoints = 12;
// Digits a room-and-seat number is counted with when deciding how many fit a row.
constexpr int RoomAndSeatDigits = 4;

} // namespace

DeskLabels::DeskLabels(QWidget *window, const QString &room, Kind kind, int roomCount)
    : m_window(window)
    , m_room(room.trimmed())
    , m_kind(kind)
    , m_roomCount(roomCount)
{
}

void DeskLabels::Say(const QString &message) const
{
    Prompts::instance().message(
        m_window, message, QGuiApplication::applicationDisplayName(), QMessageBox::NoIcon, QMessageBox::Ok);
}

DeskLabels::Sheet DeskLabels::SeatSheet(qint64 largestSeat)
{
    Sheet sheet { SeatsPerRow, SeatColWidth, SeatRowHeight, {} };
    for (qint64 seat = 1; seat <= largestSeat; ++seat)
        sheet.labels << ShownExamNumber::Seat(QString::number(seat));
    return sheet;
}

DeskLabels::Sheet DeskLabels::ExamNumberSheet(
    qint64 first, qint64 last, const QString &prefix, const QString &form, int roomCount)
{
    const int digits = ShownExamNumber::DigitCount(form);
    const qsizetype width = prefix.size() + (digits > 0 ? digits : RoomAndSeatDigits);
    const int perRow = width > LongestPairedLabel ? 1 : 2;
    Sheet sheet { perRow, ExamNumberRowWidth / perRow, ExamNumberRowHeight, {} };
    const ShownExamNumber shown(prefix, form, roomCount);
    for (qint64 number = first; number <= last; ++number)
        sheet.labels << shown.ExamNumberWithoutRoom(QString::number(number));
    return sheet;
}

double DeskLabels::LabelSize(const Sheet &sheet)
{
    qsizetype longest = 0;
    for (const QString &label : sheet.labels)
        longest = std::max(longest, label.size());
    // Measured on a sheet of layout units, as the grid lays the cells out.
    QImage paper(1, 1, QImage::Format_RGB32);
    paper.setDotsPerMeterX(DotsPerMeter);
    paper.setDotsPerMeterY(DotsPerMeter);
    const double room = sheet.colWidth - TextInset;
    const auto widest = [&](double points) {
        QFont font(LabelFont);
        font.setPointSizeF(points);
        const QFontMetricsF metrics(font, &paper);
        double width = 0;
        for (const QString &label : sheet.labels)
            if (label.size() == longest)
                width = std::max(width, metrics.horizontalAdvance(label));
        return width;
    };
    const double full = widest(LabelPoints);
    if (full <= room)
        return LabelPoints;
    // Widths grow almost in proportion to the size; half points down until the labels fit.
    double points = std::floor(LabelPoints * room / full * 2) / 2;
    while (points > SmallestPoints && widest(points) > room)
        points -= 0.5;
    return points;
}

void DeskLabels::Write(GridData &out, const Sheet &sheet, const QString &room)
{
    const int rows = sheet.rows();
    out.setCols(sheet.perRow + 1);
    out.setRows(rows + 1);
    for (int col = 1; col <= sheet.perRow; ++col)
        out.setColWidth(col, sheet.colWidth);
    for (int row = 1; row <= rows; ++row)
        out.setRowHeight(row, sheet.rowHeight);
    for (int i = 0; i < sheet.labels.size(); ++i)
        out.setText(1 + i / sheet.perRow, 1 + i % sheet.perRow, sheet.labels.at(i));
    const double size = LabelSize(sheet);
    if (rows > 0)
        out.updateStyle(CellRange::spanning(1, 1, rows, sheet.perRow), [size](CellStyle &style) {
            style.fontName = LabelFont;
            style.fontSize = size;
            style.alignment = GridAlignment::Centred;
        });
    PageSetup &setup = out.pageSetup();
    setup.Orientation = 1;
    setup.LeftMargin = 0.5;
    setup.RightMargin = 0.5;
    setup.BlackAndWhite = true;
    setup.TopMargin = 1;
    setup.HeaderMargin = setup.TopMargin - 0.5;
    setup.BottomMargin = 1;
    setup.FooterMargin = setup.BottomMargin - 0.5;
    setup.HeaderAlignment = 1;
    setup.Header = QStringLiteral("第 ") + room + QStringLiteral(" 考场");
    setup.Footer = PrintLayouts::kFooter;
    setup.CenterHorizontally = true;
}

DeskLabels::Sheet DeskLabels::Plan(double room) const
{
    const QString column = m_kind == SeatNumbers ? QStringLiteral("座位号") : QStringLiteral("考号");
    DeskLabelQueries::NumberSpan span;
    try {
        span = DeskLabelQueries::OfRoom(column, room);
    } catch (const db::Error &error) {
        Say(QStringLiteral("无法读取考生数据：") + error.message());
        return {};
    }
    if (span.headCount == 0) {
        Say(QStringLiteral("第 %1 考场没有考生。").arg(m_room));
        return {};
    }
    const qint64 first = span.smallest ? std::llround(*span.smallest) : 0;
    const qint64 last = span.largest ? std::llround(*span.largest) : 0;
    // Seat labels run from seat 1 whatever the smallest seat is.
    const qint64 from = m_kind == SeatNumbers ? 1 : first;
    const qint64 count = last - from + 1;
    if (!span.largest || count < 1) {
        Say(QStringLiteral("第 %1 考场的考生没有%2，不能制作桌贴。").arg(m_room, column));
        return {};
    }
    const QString labels = QStringLiteral("从 %1 到 %2，要制作 %3 张桌贴")
                               .arg(QString::number(from), QString::number(last), QString::number(count));
    if (count > MostLabels) {
        Say(QStringLiteral("第 %1 考场的%2%3，太多了。请检查考场的%2。").arg(m_room, column, labels));
        return {};
    }
    if (count - span.headCount > SpareLabelsAsked
        && !Prompts::instance().confirm(m_window,
            QStringLiteral("第 %1 考场有 %2 名考生，%3却%4。\n\n仍要制作吗？")
                .arg(m_room, QString::number(span.headCount), column, labels),
            QGuiApplication::applicationDisplayName()))
        return {};
    if (m_kind == SeatNumbers)
        return SeatSheet(last);
    return ExamNumberSheet(first, last, gExamNoPrefix, gExamNoForm, m_roomCount);
}

frmDocument *DeskLabels::Run(const TicketJob::Preview &preview)
{
    if (m_room.isEmpty()) {
        Say(QStringLiteral("请选择一个考场。"));
        return nullptr;
    }
    bool isNumber = false;
    const double room = m_room.toDouble(&isNumber);
    if (!isNumber) {
        Say(QStringLiteral("考场“%1”不是考场号，请选择一个考场。").arg(m_room));
        return nullptr;
    }
    const Sheet sheet = Plan(room);
    if (sheet.labels.isEmpty() || !gMainForm)
        return nullptr;
    frmDocument *document = gMainForm->LoadNewDoc();
    if (!document)
        return nullptr;
    Grid &grid = *document->Grid1;
    grid.SetAutoRedraw(false);
    Write(grid.data(), sheet, m_room);
    grid.layoutChanged();
    grid.Range(1, 1, 1, 1).Selected();
    grid.SetAutoRedraw(true);
    grid.Refresh();
    preview(*document);
    return document;
}
