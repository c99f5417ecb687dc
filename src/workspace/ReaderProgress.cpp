#include "workspace/ReaderProgress.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>

#include <climits>

namespace {

// A quick reading finishes before the dialog would show.
constexpr int kShowAfterMilliseconds = 400;

// While the reader works the window repaints but takes no command: no click, key or close
// reaches any window but the dialog, also before the dialog shows.
class InputOnlyFor : public QObject {
public:
    explicit InputOnlyFor(QWidget *dialog)
        : m_dialog(dialog)
    {
        qApp->installEventFilter(this);
    }
    ~InputOnlyFor() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *target, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            // A window of the system passes what it gets on to its widgets, which are sorted
            // here in turn; shortcuts go to the actions and shortcut objects they belong to.
            if (target->isWindowType())
                return false;
            for (QObject *object = target; object; object = object->parent())
                if (object == m_dialog)
                    return false;
            return true;
        default:
            return false;
        }
    }

private:
    QWidget *m_dialog;
};

} // namespace

ReaderProgress::ReaderProgress(QWidget *parent, const QString &fileName)
    : m_parent(parent)
    , m_fileName(fileName)
{
}

ReaderWait::Outcome ReaderProgress::Wait(QProcess &reader, int milliseconds)
{
    if (reader.state() == QProcess::NotRunning)
        return Finished;
    QProgressDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("导入"));
    // The file's name is shown as it is, never as markup.
    auto *label = new QLabel(&dialog);
    label->setTextFormat(Qt::PlainText);
    dialog.setLabel(label);
    dialog.setLabelText(QStringLiteral("正在读取工作簿 %1……").arg(m_fileName));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    dialog.setRange(0, 0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(INT_MAX);
    dialog.setWindowModality(Qt::ApplicationModal);

    const InputOnlyFor input(&dialog);
    Outcome outcome = TimedOut;
    QEventLoop loop;
    const auto end = [&loop, &outcome](Outcome how) {
        outcome = how;
        loop.quit();
    };
    QObject::connect(&reader, &QProcess::finished, &loop, [&end] { end(Finished); });
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&end] { end(Cancelled); });
    QTimer::singleShot(milliseconds, &loop, [&end] { end(TimedOut); });
    QTimer::singleShot(kShowAfterMilliseconds, &dialog, &QWidget::show);
    loop.exec(QEventLoop::AllEvents);
    return outcome;
}
