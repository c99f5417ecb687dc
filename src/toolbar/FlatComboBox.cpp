#include "toolbar/FlatComboBox.h"

#include "toolbar/FlatComboList.h"
#include "toolbar/ToolbarDraw.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kArrowBox = 17;

constexpr OleColor kSystemWindow = 0x80000005;
constexpr OleColor kWhite = RgbColor(255, 255, 255);
constexpr OleColor kHotBorder = RgbColor(10, 36, 106);
constexpr OleColor kHotArrowFill = RgbColor(182, 189, 210);
constexpr OleColor kPressedArrowFill = RgbColor(132, 146, 181);

// The drop arrow, 7 x 4: rows of 7, 5, 3 and 1 black pixels, centred.
void drawArrow(QPainter &painter, int x, int y)
{
    for (int row = 0; row < 4; ++row)
        painter.fillRect(x + row, y + row, 7 - 2 * row, 1, Qt::black);
}

} // namespace

FlatComboBox::FlatComboBox(QWidget *parent)
    : QWidget(parent)
    , m_list(new FlatComboList(this))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_list, &FlatComboList::chosen, this, &FlatComboBox::listChosen);
    connect(m_list, &FlatComboList::closed, this, [this] { setState(Normal); });
}

void FlatComboBox::AddItem(const QString &item)
{
    m_list->AddItem(item);
}

void FlatComboBox::setText(const QString &text)
{
    m_text = text;
    update();
}

void FlatComboBox::setState(State state)
{
    m_state = state;
    update();
}

bool FlatComboBox::isInside(QPoint pos) const
{
    return pos.x() >= 0 && pos.y() >= 0 && pos.x() <= width() && pos.y() <= height();
}

void FlatComboBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(kSystemWindow));
    DrawCombo(painter);
}

void FlatComboBox::DrawCombo(QPainter &painter) const
{
    const int right = width();
    const int arrowLeft = right - kArrowBox;
    const bool lit = m_state != Normal;
    const OleColor border = lit ? kHotBorder : kWhite;
    const OleColor arrowFill = m_state == Pressed ? kPressedArrowFill
        : m_state == Hot                          ? kHotArrowFill
                                                  : kSystemButtonFace;
    DrawRect(painter, 0, 0, right, height(), border, kWhite);
    DrawRect(painter, arrowLeft, 0, kArrowBox, height(), border, arrowFill);

    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(
        QRect(3, 0, right - 18 - 3, height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
    drawArrow(painter, right - 12, 7);
}

void FlatComboBox::mousePressEvent(QMouseEvent *)
{
    m_pressSeen = true;
    setState(Pressed);
}

void FlatComboBox::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::NoButton)
        return;
    setState(isInside(event->position().toPoint()) ? Hot : Normal);
}

void FlatComboBox::leaveEvent(QEvent *)
{
    if (m_state == Hot)
        setState(Normal);
}

void FlatComboBox::mouseReleaseEvent(QMouseEvent *event)
{
    setState(isInside(event->position().toPoint()) ? Hot : Normal);
    if (!m_pressSeen)
        return;
    m_pressSeen = false;
    ShowList();
}

void FlatComboBox::ShowList()
{
    if (!isVisible() || m_list->isVisible())
        return;
    preselect();
    m_list->setFont(font());
    m_list->open(this, width() + 2);
}

// Highlights the item equal to the text, ignoring letter case; failing that the first item
// when there are at least two.
void FlatComboBox::preselect()
{
    const int count = m_list->count();
    if (!m_text.isEmpty()) {
        for (int row = 0; row < count; ++row) {
            if (m_list->itemText(row).compare(m_text, Qt::CaseInsensitive) == 0) {
                m_list->setCurrentRow(row);
                return;
            }
        }
        if (count > 1)
            m_list->setCurrentRow(0);
        return;
    }
    m_list->setCurrentRow(count > 1 ? 0 : -1);
}

void FlatComboBox::listChosen(int row)
{
    m_text = m_list->itemText(row);
    emit Click();
    setState(Normal);
}
