#include "prompts/Prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

namespace {
Prompts *installed = nullptr;
// A desktop's own dialogs speak the desktop's language, and only when its locale is installed:
// Qt's dialogs speak the program's.
constexpr QFileDialog::Options kFileOptions = QFileDialog::DontUseNativeDialog;
} // namespace

Prompts &Prompts::instance()
{
    static DialogPrompts dialogs;
    return installed ? *installed : dialogs;
}

void Prompts::install(Prompts *prompts)
{
    installed = prompts;
}

QMessageBox::StandardButton DialogPrompts::message(QWidget *parent, const QString &text, const QString &title,
                                                   QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool DialogPrompts::confirm(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString DialogPrompts::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter, nullptr, kFileOptions);
}

QString DialogPrompts::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr, kFileOptions);
}

QString DialogPrompts::folder(QWidget *parent, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir, kFileOptions | QFileDialog::ShowDirsOnly);
}

bool DialogPrompts::font(QWidget *parent, QFont &value)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, value, parent, QString(), QFontDialog::DontUseNativeDialog);
    if (ok)
        value = chosen;
    return ok;
}

bool DialogPrompts::color(QWidget *parent, QColor &value)
{
    const QColor chosen = QColorDialog::getColor(value, parent, QString(), QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return false;
    value = chosen;
    return true;
}
