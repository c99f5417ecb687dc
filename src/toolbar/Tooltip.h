#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// Gives a self-drawn toolbar control one tooltip text for its whole area, shown through Qt's
// tooltip machinery whenever the pointer rests on the control, also while its window is not the
// active one. The button strips call Create on every mouse move with the text of the button
// under the pointer; only a real change of text touches the owner.
class Tooltip {
public:
    Tooltip() = default;
    Tooltip(const Tooltip &) = delete;
    Tooltip &operator=(const Tooltip &) = delete;
    // Takes the tooltip away from its owner, so that nothing is shown for a control that ended.
    ~Tooltip();

    // Makes `text` the tooltip of the whole of `owner`. A text equal to the current one does
    // nothing, so a first call with an empty text installs nothing either.
    void Create(QWidget *owner, const QString &text);

    QString text() const { return m_text; }
    // True once a text has been installed on an owner.
    bool isInstalled() const { return m_installed; }

private:
    void showWhileInactive(QWidget *owner);

    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_watched;
    QString m_text;
    bool m_installed = false;
};
