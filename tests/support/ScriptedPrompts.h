#pragma once

#include "prompts/Prompts.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

// Prompts that answer from a script and remember what they were asked. Installed for the
// lifetime of the object.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons offered;
    };

    ScriptedPrompts() { Prompts::install(this); }
    ~ScriptedPrompts() override { Prompts::install(nullptr); }

    // Answers, used first to last; when a list runs out the prompt answers "cancel"
    // (or the first button of a message box).
    QList<QMessageBox::StandardButton> buttons;
    QStringList files;
    QStringList folders;
    QList<QFont> fonts;
    QList<QColor> colors;

    // What was shown.
    QList<Shown> messages;
    int fileDialogs = 0;

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Shown &m : messages)
            texts << m.text;
        return texts;
    }

    QMessageBox::StandardButton message(QWidget *, const QString &text, const QString &title, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons offered) override
    {
        messages.append({text, title, icon, offered});
        if (!buttons.isEmpty())
            return buttons.takeFirst();
        for (int bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1)
            if (offered & bit)
                return static_cast<QMessageBox::StandardButton>(bit);
        return QMessageBox::Ok;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        ++fileDialogs;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        ++fileDialogs;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString folder(QWidget *, const QString &, const QString &) override
    {
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    bool font(QWidget *, QFont &value) override
    {
        if (fonts.isEmpty())
            return false;
        value = fonts.takeFirst();
        return true;
    }
    bool color(QWidget *, QColor &value) override
    {
        if (colors.isEmpty())
            return false;
        value = colors.takeFirst();
        return true;
    }
};
