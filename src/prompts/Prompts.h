#pragma once

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

// Every question the program puts to a person (message boxes, file, folder, font and colour
// dialogs) goes through one Prompts object. The program installs the real dialogs; tests
// install scripted answers, so that no test ever waits on a modal window.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box with the given buttons; returns the button pressed.
    virtual QMessageBox::StandardButton message(QWidget *parent, const QString &text, const QString &title,
                                                QMessageBox::Icon icon,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;
    // A yes/no question before a step that cannot be undone; true for 是. The real dialog makes
    // 否 the default button, so Enter pressed out of habit changes nothing.
    virtual bool confirm(QWidget *parent, const QString &text, const QString &title)
    {
        return message(parent, text, title, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    }
    // File and folder choices; an empty string means the user cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString folder(QWidget *parent, const QString &caption, const QString &dir) = 0;
    // Font and colour choices; false means the user cancelled and `value` is unchanged.
    virtual bool font(QWidget *parent, QFont &value) = 0;
    virtual bool color(QWidget *parent, QColor &value) = 0;

    // The installed prompts (the real dialogs until something else is installed).
    static Prompts &instance();
    // Installs `prompts` (not owned; nullptr restores the real dialogs).
    static void install(Prompts *prompts);
};

// The real dialogs.
class DialogPrompts : public Prompts {
public:
    QMessageBox::StandardButton message(QWidget *parent, const QString &text, const QString &title,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
    bool confirm(QWidget *parent, const QString &text, const QString &title) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString folder(QWidget *parent, const QString &caption, const QString &dir) override;
    bool font(QWidget *parent, QFont &value) override;
    bool color(QWidget *parent, QColor &value) override;

    // Qt's own file dialog as every file and folder question shows it, before its mode is set:
    // large enough that its detail columns (size, type, date) read whole.
    static std::unique_ptr<QFileDialog> NewFileDialog(QWidget *parent, const QString &caption, const QString &dir,
                                                      const QString &filter);
};
