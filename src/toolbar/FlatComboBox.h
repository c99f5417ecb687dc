#pragma once

#include <QString>
#include <QWidget>

class FlatComboList;

// The flat combo box of the formatting toolbar (font name, font size): a white box with the
// shown text and a drop arrow that turns hot under the pointer and opens its own list on a
// click. Choosing an item sets text and raises Click. The text cannot be typed.
class FlatComboBox : public QWidget {
    Q_OBJECT
public:
    enum State { Normal = 0, Hot = 1, Pressed = 2 };

    explicit FlatComboBox(QWidget *parent = nullptr);

    // Appends an item to the list; no sorting, no check for duplicates.
    void AddItem(const QString &item);
    QString text() const { return m_text; }
    // Any text may be shown, also one that is no item.
    void setText(const QString &text);

    State state() const { return m_state; }
    FlatComboList *List1() const { return m_list; }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void DrawCombo(QPainter &painter) const;
    void ShowList();
    void preselect();
    void setState(State state);
    bool isInside(QPoint pos) const;
    void listChosen(int row);

    FlatComboList *m_list;
    QString m_text;
    State m_state = Normal;
    // Set by a press on the box; only a release that follows one opens the list, so the press
    // that closes the open list over the box does not open it again on its release.
    bool m_pressSeen = false;
};
