#include "tickets/TicketTemplate.h"

#include "datastore/AppState.h"
#include "griddata/GridData.h"
#include "griddata/GridFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString Name(int perPage)
{
    return perPage == 3 ? QStringLiteral("zkz3.cel") : QStringLiteral("zkz2.cel");
}

bool Fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

bool CopyFactory(int perPage, QString *error)
{
    QFile factory(TicketTemplate::FactoryPath(perPage));
    if (!factory.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("出厂模板 %1 无法读取").arg(factory.fileName()));
    const QString path = TicketTemplate::WorkingPath(perPage);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Fail(error, QStringLiteral("无法建立文件夹 %1").arg(QFileInfo(path).absolutePath()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(factory.readAll()) < 0 || !file.commit())
        return Fail(error, QStringLiteral("无法写入 %1：%2").arg(path, file.errorString()));
    // The copy is the user's to change, whatever the resource's flags were.
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return true;
}

} // namespace

QString TicketTemplate::WorkingPath(int perPage)
{
    return AppPath() + QStringLiteral("/zkzmb/") + Name(perPage);
}

QString TicketTemplate::FactoryPath(int perPage)
{
    return QStringLiteral(":/zkzmb/cop") + Name(perPage);
}

bool TicketTemplate::HasTicketShape(const GridData &data)
{
    return data.rows() == Rows && data.cols() == Cols;
}

bool TicketTemplate::Load(int perPage, GridData &data, QString *error)
{
    const QString path = WorkingPath(perPage);
    if (!QFileInfo::exists(path) && !CopyFactory(perPage, error))
        return false;
    GridData loaded;
    QString reason;
    if (!GridFile::load(path, loaded, &reason))
        return Fail(error, QStringLiteral("准考证模板 %1 无法读取：%2").arg(path, reason));
    if (!HasTicketShape(loaded))
        return Fail(error, QStringLiteral("%1 不是准考证模板：模板应有 %2 行 %3 列（含表头行列），它有 %4 行 %5 列。")
                               .arg(path)
                               .arg(Rows)
                               .arg(Cols)
                               .arg(loaded.rows())
                               .arg(loaded.cols()));
    data = loaded;
    return true;
}

bool TicketTemplate::Save(int perPage, const GridData &data, QString *error)
{
    const QString path = WorkingPath(perPage);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString reason;
    if (!GridFile::save(path, data, &reason))
        return Fail(error, QStringLiteral("准考证模板没有保存（%1）：%2").arg(path, reason));
    return true;
}

bool TicketTemplate::Restore(int perPage, QString *error)
{
    return CopyFactory(perPage, error);
}
