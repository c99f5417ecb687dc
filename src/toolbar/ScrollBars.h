#pragma once

#include <QObject>
#include <QPointer>

class QAbstractScrollArea;
class QScrollBar;

// Drives the two scroll bars of a scroll area by the numbers the scroll-bar control keeps:
// the minimum, the maximum as the last position at which a full page still fits, the page size
// and the position. Every change of a bar, made through a setter or by the user scrolling,
// is reported once with Change(bar).
class ScrollBars : public QObject {
    Q_OBJECT
public:
    enum Bar { Horizontal = 0, Vertical = 1 };

    explicit ScrollBars(QObject *parent = nullptr);

    // Binds the object to `area`; the user's scrolling there now raises Change.
    void Init(QAbstractScrollArea *area);
    // Unbinds it again; afterwards the getters read 0 and the setters do nothing.
    void Terminate();

    int Max(int bar) const;
    void setMax(int bar, int value);
    int Min(int bar) const;
    void setMin(int bar, int value);
    // Changing the page keeps the maximum as Max reports it.
    int Page(int bar) const;
    void setPage(int bar, int value);
    int Pos(int bar) const;
    void setPos(int bar, int value);
    bool Visible(int bar) const;
    void setVisible(int bar, bool visible);

    void MouseWheelUp();
    void MouseWheelDown();

signals:
    void Change(int bar);
    void WheelUp();
    void WheelDown();

private:
    QScrollBar *bar(int bar) const;
    void userScrolled(int bar);
    template <typename Apply> void change(int bar, Apply apply);

    QPointer<QAbstractScrollArea> m_area;
    bool m_visible[2] = { false, false };
    bool m_applying = false;
};
