#include "support/SyntheticExam.h"

#include "datastore/AppState.h"
#include "datastore/ImportTable.h"
#include "datastore/MainDatabaseScope.h"
#include "datastore/StartUp.h"
#include "examrooms/ExamNoSettings.h"

#include "workspace/frmMain.h"

#include <QApplication>
#include <QMdiArea>
#include <QSet>
#include <QTemporaryDir>
#include <QStringList>

namespace {

const QString surnames = QStringLiteral("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗");
const QString givenNames = QStringLiteral("伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平");
constexpr int classSize = 50;

QString personName(int i)
{
    return QString(surnames[i % 20]) + givenNames[(i / 20) % 20] + givenNames[(i / 400) % 20];
}

WorksheetCells examineeSheet(int examinees, int rooms, int schools, SyntheticExam::Numbers numbers)
{
    const int capacity = SyntheticExam::Capacity(examinees, rooms);
    const int classesPerSchool = qMax(1, (examinees / qMax(1, schools) + classSize - 1) / classSize);
    WorksheetCells sheet;
    sheet.rows.append({ QStringLiteral("学校"), QStringLiteral("班级"), QStringLiteral("姓名"), QStringLiteral("性别"),
        QStringLiteral("成绩"), QStringLiteral("考场"), QStringLiteral("考号"), QStringLiteral("座位号") });
    for (int i = 0; i < examinees; ++i) {
        const int room = i / capacity + 1;
        const int seat = i % capacity + 1;
        const double examNo = numbers == SyntheticExam::Numbers::Serial ? i + 1 : room * 100 + seat;
        sheet.rows.append({ QStringLiteral("第%1中学").arg(i % schools + 1),
            QStringLiteral("%1班").arg((i / schools) % classesPerSchool + 1), personName(i),
            i % 2 ? QStringLiteral("女") : QStringLiteral("男"), double(40 + (i * 37) % 61), double(room), examNo,
            double(seat) });
    }
    return sheet;
}

WorksheetCells roomSheet(int examinees, int rooms)
{
    WorksheetCells sheet;
    sheet.rows.append({ QStringLiteral("考场号"), QStringLiteral("考生数"), QStringLiteral("考场地点") });
    for (int room = 1; room <= rooms; ++room)
        sheet.rows.append(
            { double(room), double(SyntheticExam::Capacity(examinees, rooms)), QStringLiteral("教学楼%1").arg(room) });
    return sheet;
}

void writeSetting(const QString &item, const QString &column, const QString &value)
{
    gDb.Execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE 项目 = ?").arg(db::QuoteName(gSettingsTable), column),
        { value, item });
}

} // namespace

int SyntheticExam::Capacity(int examinees, int rooms)
{
    return qMax(1, (examinees + rooms - 1) / qMax(1, rooms));
}

void SyntheticExam::Build(const QString &appDir, int examinees, int rooms, int schools, Numbers numbers)
{
    SetAppPath(appDir);
    StartUp::Run();
    const ImportTable::Rules rules { { QStringLiteral("成绩"), QStringLiteral("考场"), QStringLiteral("考号"),
                                         QStringLiteral("座位号"), QStringLiteral("考场号"), QStringLiteral("考生数") },
        {}, {} };
    ImportNotes notes;
    {
        MainDatabaseScope scope;
        db::Database::Transaction transaction(gDb);
        ImportTable::FromSheet(examineeSheet(examinees, rooms, qMax(1, schools), numbers), rules, notes, notes)
            .WriteTo(gDb, gExamineeTable);
        ImportTable::FromSheet(roomSheet(examinees, rooms), rules, notes, notes).WriteTo(gDb, gExamRoomTable);
        writeSetting(QStringLiteral("考场显示"), QStringLiteral("s1"), QStringLiteral("1,2,3,4,5,6,7,8"));
        const QString form = numbers == Numbers::Serial ? QStringLiteral(" %1").arg(QString::number(examinees).size())
                                                        : QStringLiteral("k2");
        writeSetting(QStringLiteral("考号加零"), QStringLiteral("s1"), QStringLiteral("buyaokc"));
        writeSetting(QStringLiteral("考号加零"), QStringLiteral("s2"), form);
        transaction.Commit();
    }
    StartUp::Run();
    LoadExamNoSettings();
    gLoggedIn = true;
    gUserName = QStringLiteral("admin");
}

QString SyntheticExam::BuildOnce(int examinees, int rooms, int schools, Numbers numbers)
{
    static QTemporaryDir dir;
    static const bool built = [&] {
        Build(dir.path(), examinees, rooms, schools, numbers);
        return true;
    }();
    Q_UNUSED(built);
    return dir.path();
}

void CloseDocuments(frmMain &main)
{
    main.MdiArea()->closeAllSubWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
