#include "toolbar/Tooltip.h"

#include <QCursor>
#include <QEvent>
#include <QToolTip>

namespace {

// Qt shows tooltips only in the active window unless that window says otherwise. A control
// given its tip before it was placed tells its final window when the pointer comes over it.
class ShowTipsWhileInactive : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
            static_cast<QWidget *>(watched)->window()->setAttribute(Qt::WA_AlwaysShowToolTips);
        return false;
    }
};

} // namespace

Tooltip::~Tooltip()
{
    if (m_installed && m_owner)
        m_owner->setToolTip(QString());
}

void Tooltip::Create(QWidget *owner, const QString &text)
{
    if (text == m_text)
        return;
    // A tip still on screen shows the old text; it changes with the pointer's move to another
    // button rather than lingering until it times out.
    if (m_installed && owner && QToolTip::isVisible() && QToolTip::text() == m_text)
        QToolTip::showText(QCursor::pos(), text, owner);
    if (m_installed && m_owner && m_owner != owner)
        m_owner->setToolTip(QString());
    m_owner = owner;
    m_text = text;
    m_installed = true;
    if (owner) {
        owner->setToolTip(text);
        showWhileInactive(owner);
    }
}

void Tooltip::showWhileInactive(QWidget *owner)
{
    owner->window()->setAttribute(Qt::WA_AlwaysShowToolTips);
    if (m_watched == owner)
        return;
    m_watched = owner;
    owner->installEventFilter(new ShowTipsWhileInactive(owner));
}
