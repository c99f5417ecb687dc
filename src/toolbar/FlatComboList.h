#pragma once

#include <QFrame>

class QListWidget;

// The drop-down list of the flat combo box: a pop-up window that holds the mouse while it is
// open. The item under the pointer is highlighted as the pointer moves, a release on an item
// chooses it, and a press outside, Escape or the application losing focus close it without a
// choice. Its own scroll bar works under the pop-up's hold on the mouse, so nothing has to
// poll the pointer.
class FlatComboList : public QFrame {
    Q_OBJECT
public:
    // At most this many rows show; more items bring a scroll bar.
    static constexpr int kVisibleRows = 12;

    explicit FlatComboList(QWidget *owner);

    void AddItem(const QString &item);
    int count() const;
    QString itemText(int row) const;
    // The highlighted row, -1 for none.
    int currentRow() const;
    void setCurrentRow(int row);
    // The height of one row in pixels.
    int GetItemHeight() const;

    // Opens the list under (or, near the bottom of the screen, above) the combo box `anchor`,
    // one pixel left of it, with the highlighted row in view: `width` pixels wide, or as wide as
    // its widest item when that is wider (never wider than the screen, and then moved left as far
    // as it needs to stay on it).
    void open(QWidget *anchor, int width);

    QListWidget *view() const { return m_view; }

signals:
    // A release on `row` chose it; the list is already hidden.
    void chosen(int row);
    // The list was hidden, with or without a choice.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool viewportMouse(QEvent *event);

    QListWidget *m_view;
};
