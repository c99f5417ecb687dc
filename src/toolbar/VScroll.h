#pragma once

#include "toolbar/ScrollBars.h"

#include <QWidget>

class QAbstractScrollArea;

// A vertical scroll bar with the usual Min, Max, Value, SmallChange and LargeChange, built on
// the vertical bar of an inner scroll area driven through ScrollBars. Max is the position of
// the last full page; Change is raised once for every real change of Value, whether set here,
// clamped by a new range or scrolled by the user.
class VScroll : public QWidget {
    Q_OBJECT
public:
    explicit VScroll(QWidget *parent = nullptr);
    ~VScroll() override;

    int Min() const { return m_min; }
    void setMin(int value);
    int Max() const { return m_max; }
    void setMax(int value);
    int Value() const { return m_value; }
    void setValue(int value);
    int SmallChange() const { return m_smallChange; }
    void setSmallChange(int value);
    int LargeChange() const { return m_largeChange; }
    void setLargeChange(int value);

    QSize sizeHint() const override;

signals:
    void Change();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void mobjScroll_Change(int bar);
    void moveValue(int value);

    int m_min = 0;
    int m_max = 65535;
    int m_value = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    QAbstractScrollArea *Picture1;
    ScrollBars mobjScroll;
};
