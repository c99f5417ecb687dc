#pragma once

#include <QFrame>
#include <QPoint>
#include <QRect>

#include <optional>

// The drop-down panel of a toolbar button: a pop-up window that holds the mouse while it is
// open, redraws itself on every move and press, marks the hovered cell with a raised edge
// (sunken while the left button is held, and always sunken for the current choice), and
// reports a cell chosen by a release of any button. A left press outside, Escape and the
// application losing focus close it without a choice. What the cells are, how they look and
// where they lie is the subclass's.
class DropDownPanel : public QFrame {
    Q_OBJECT
public:
    DropDownPanel(const QSize &size, QWidget *owner);

    // Opens the panel at the placement rules' position for the button `anchor`, on the
    // screen that holds it. Returns at once; the choice arrives through cellChosen.
    void open(QWidget *anchor);

    // The cell marked as the current choice; (-1, -1) marks none.
    void setCurrent(const QPoint &cell);
    QPoint current() const { return m_current; }

signals:
    // A release on `cell` (column, row, or a subclass's own cell) closed the panel.
    void cellChosen(QPoint cell);
    // The panel was hidden, with or without a choice.
    void closed();

protected:
    // Draws the whole panel: ground, current-choice mark, cells and outer frame.
    virtual void drawList(QPainter &painter) = 0;
    virtual std::optional<QPoint> hitTest(const QPoint &point) const = 0;
    // The rectangle that takes the hover and press edges of `cell`.
    virtual QRect cellFrame(const QPoint &cell) const = 0;

    // The chessboard that marks the current choice over `frame`, laid on the pressed fill so
    // that it stands out at a glance: white pixels alone all but vanish on a light button face.
    static void drawCurrentMark(QPainter &painter, const QRect &frame);

    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool inside(const QPoint &point) const;
    void showEdge(const QPoint &point, int edge);
    void clearEdge();

    QPoint m_current { -1, -1 };
    std::optional<QPoint> m_edgeCell;
    int m_edge = 0;
};
