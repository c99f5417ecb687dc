// Sub Main: the data store's start-up, then the main window with its menus wired to the
// commands of the lists, the statistics and the ticket window, and its formatting toolbar.
#include "datastore/AppState.h"
#include "datastore/DatabaseMessage.h"
#include "datastore/StartUp.h"
#include "db/Error.h"
#include "lists/ListCommands.h"
#include "prompts/ChineseQtTexts.h"
#include "prompts/Prompts.h"
#include "scorefilter/FilterCommands.h"
#include "settings/SettingsCommands.h"
#include "statistics/StatisticsCommands.h"
#include "tickets/TicketCommands.h"
#include "toolbar/FormatToolbar.h"
#include "workspace/frmMain.h"

#include <QApplication>

#include <exception>

int main(int argc, char **argv)
{
    // The program speaks Chinese whatever the desktop's language: Qt's own buttons and dialogs
    // ("确定", the file dialog with its dates) too.
    ChineseQtTexts::SetLocaleBeforeApplication();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("kaowu"));
    QApplication::setApplicationName(QStringLiteral("kaowu"));
    QApplication::setApplicationDisplayName(QStringLiteral("考务"));

    ChineseQtTexts::Install(app);

    const auto refuse = [](const QString &why) {
        Prompts::instance().message(
            nullptr, QStringLiteral("无法打开数据文件，程序将退出。\n") + why, QStringLiteral("提示"), QMessageBox::Critical);
        return 1;
    };
    try {
        StartUp::Run();
    } catch (const db::Error &error) {
        // No folder, no file, a damaged file or one that is not the program's.
        return refuse(DatabaseMessage(error));
    } catch (const std::exception &error) {
        return refuse(QString::fromStdString(error.what()));
    }

    // No title of its own: Qt adds the program's name (考务) after the title, and with a document
    // maximized the title is that document's name: "文档1 — 考务", not the name twice.
    frmMain window;
    ListCommands::Connect(window);
    StatisticsCommands::Connect(window);
    FormatToolbar::Connect(window);
    SettingsCommands::Connect(window);
    FilterCommands::Connect(window);
    TicketCommands::Connect(window);
    window.show();
    const int exitCode = app.exec();
    // The data file stays open while the program runs; it is closed here, once.
    CloseMainDatabase();
    return exitCode;
}
