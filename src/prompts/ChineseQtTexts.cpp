#include "prompts/ChineseQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <cstring>

namespace {

// Texts Qt shows in its dialogs that its Chinese catalogue (as Debian ships it) has no entry for.
struct Missing {
    const char *context;
    const char *source;
    const char *chinese;
};
constexpr Missing kMissing[] = {
    { "QAbstractFileIconProvider", "Folder", "文件夹" },
    { "QAbstractFileIconProvider", "File Folder", "文件夹" },
    { "QAbstractFileIconProvider", "Drive", "驱动器" },
    { "QAbstractFileIconProvider", "File", "文件" },
    { "QAbstractFileIconProvider", "%1 File", "%1 文件" },
    { "QAbstractFileIconProvider", "Alias", "快捷方式" },
    { "QAbstractFileIconProvider", "Shortcut", "快捷方式" },
};

} // namespace

void ChineseQtTexts::SetLocaleBeforeApplication()
{
    // LC_ALL outranks every other locale variable, LANGUAGE orders the languages of texts.
    qputenv("LC_ALL", "zh_CN.UTF-8");
    qputenv("LANGUAGE", "zh_CN");
}

void ChineseQtTexts::Install(QCoreApplication &app)
{
    auto *catalogue = new QTranslator(&app);
    if (catalogue->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(catalogue);
    // Installed last, asked first: it answers only for the texts the catalogue lacks.
    QCoreApplication::installTranslator(new ChineseQtTexts(&app));
}

QString ChineseQtTexts::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return QString();
    for (const Missing &text : kMissing)
        if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, sourceText) == 0)
            return QString::fromUtf8(text.chinese);
    return QString();
}
