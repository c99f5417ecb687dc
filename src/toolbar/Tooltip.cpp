#include "toolbar/Tooltip.h"

#include <QCursor>
#include <QToolTip>

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
    if (owner)
        owner->setToolTip(text);
}
