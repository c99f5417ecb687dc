#include "toolbar/FlatComboList.h"

#include "toolbar/PanelPlacement.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kBorder = 1;

QScreen *screenHolding(QWidget *anchor)
{
    QScreen *screen = QGuiApplication::screenAt(anchor->mapToGlobal(anchor->rect().center()));
    return screen ? screen : anchor->screen();
}

} // namespace

FlatComboList::FlatComboList(QWidget *owner)
    : QFrame(owner, Qt::Popup | Qt::FramelessWindowHint)
    , m_view(new QListWidget(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorder);
    // The list's size is set outright when it opens, down to an empty list that is only its
    // border; nothing may hold it to a minimum.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(m_view);
    m_view->setMinimumSize(0, 0);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setUniformItemSizes(true);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The list takes no keys: Escape reaches the pop-up, which closes.
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->viewport()->setMouseTracking(true);
    m_view->viewport()->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && isVisible())
            hide();
    });
}

void FlatComboList::AddItem(const QString &item)
{
    m_view->addItem(item);
}

int FlatComboList::count() const
{
    return m_view->count();
}

QString FlatComboList::itemText(int row) const
{
    const QListWidgetItem *item = m_view->item(row);
    return item ? item->text() : QString();
}

int FlatComboList::currentRow() const
{
    return m_view->currentRow();
}

void FlatComboList::setCurrentRow(int row)
{
    m_view->setCurrentRow(row);
}

int FlatComboList::GetItemHeight() const
{
    return m_view->count() > 0 ? m_view->sizeHintForRow(0) : m_view->fontMetrics().height();
}

void FlatComboList::open(QWidget *anchor, int width)
{
    const int rows = std::min(count(), kVisibleRows);
    const int height = rows * GetItemHeight() + 2 * kBorder;
    const QRect button(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    const QRect screen = screenHolding(anchor)->geometry();
    // As wide as its widest item, so that no font name is cut, but never wider than the screen.
    // A list no wider than `width` keeps its left edge and may reach past the right edge of the
    // screen, as it always has; a wider one is moved left to stay on it.
    const int scrollBar = count() > kVisibleRows ? m_view->verticalScrollBar()->sizeHint().width() : 0;
    const int wanted = std::min(std::max(width, m_view->sizeHintForColumn(0) + scrollBar + 2 * kBorder), screen.width());
    int left = button.x() - 1;
    if (wanted > width)
        left = std::max(screen.left(), std::min(left, screen.right() + 1 - wanted));
    const int top = PanelPlacement::top(button, height, screen);
    setGeometry(left, top, wanted, height);
    // The press that closes the list is spent on closing it: it must not go on to the combo
    // box underneath, or a press on the box would open the list again. Qt forgets this with
    // every close, so it is said again at every opening.
    setAttribute(Qt::WA_NoMouseReplay);
    show();
    if (QListWidgetItem *item = m_view->currentItem())
        m_view->scrollToItem(item);
}

bool FlatComboList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport())
        return viewportMouse(event);
    return QFrame::eventFilter(watched, event);
}

// The view's own handling of the mouse (drag selection, double clicks) is not wanted: moves
// highlight the item under the pointer and a release there chooses it.
bool FlatComboList::viewportMouse(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const int row = m_view->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint()).row();
        if (row >= 0)
            m_view->setCurrentRow(row);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::MouseButtonRelease: {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        const int row = m_view->indexAt(at).row();
        if (row < 0) {
            // The viewport keeps the mouse from the press on an item to the release, wherever
            // that is: a release out beyond the list closes it, one over its border or scroll
            // bar leaves it open.
            if (!rect().contains(m_view->viewport()->mapTo(this, at)))
                hide();
            return true;
        }
        m_view->setCurrentRow(row);
        hide();
        emit chosen(row);
        return true;
    }
    default:
        return false;
    }
}

// A press reaches the pop-up itself when it lands outside it (the pop-up holds the mouse) or on
// its border.
void FlatComboList::mousePressEvent(QMouseEvent *event)
{
    if (!rect().contains(event->position().toPoint()))
        hide();
}

void FlatComboList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
}

void FlatComboList::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    emit closed();
}
