#pragma once

#include <QTranslator>

class QCoreApplication;

// Qt's own words in Chinese whatever the desktop's language: the buttons of message boxes, the
// file dialog's labels, its file types, dates and sizes. Qt's Chinese catalogue does most of it;
// this adds the few texts the catalogue lacks and makes Qt's idea of the desktop's locale
// Chinese, which it reads for the dates and sizes in its dialogs.
class ChineseQtTexts : public QTranslator {
    Q_OBJECT

public:
    using QTranslator::QTranslator;

    // Before the application is made: Qt reads the locale from the environment once.
    static void SetLocaleBeforeApplication();
    // Qt's catalogue and the texts it lacks, installed for the life of `app`.
    static void Install(QCoreApplication &app);

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
        int n = -1) const override;
    bool isEmpty() const override { return false; }
};
