#include "tickets/TicketJob.h"

#include "datastore/TicketQueries.h"
#include "db/Error.h"
#include "examrooms/ExamNoSettings.h"
#include "grid/Grid.h"
#include "grid/GridData.h"
#include "prompts/Prompts.h"
#include "tickets/TicketBlocks.h"
#include "tickets/TicketPhotos.h"
#include "tickets/TicketSheet.h"
#include "tickets/TicketTemplate.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QSet>

namespace {

constexpr int NameField = 0;
constexpr int SeatField = 2;
constexpr int RoomField = 3;
// Names listed in one message; the rest are counted.
constexpr int NamesShown = 30;

QString NameList(const QStringList &names)
{
    QString list = names.mid(0, NamesShown).join(QStringLiteral("、"));
    if (names.size() > NamesShown)
        list += QStringLiteral(" 等，共 %1 人").arg(names.size());
    return list;
}

} // namespace

TicketJob::TicketJob(QWidget *window, const TicketOrder &order, const GridData &ticketTemplate, int roomCount)
    : m_window(window)
    , m_order(order)
    , m_template(ticketTemplate)
    , m_roomCount(roomCount)
{
}

QString TicketJob::IncompleteChoice(const TicketOrder &order)
{
    for (const QString &choice : order.choices) {
        if (!choice.isEmpty())
            continue;
        if (order.stacked)
            return order.byClass ? QStringLiteral("请选择全学校、班级") : QStringLiteral("请选择全考场");
        return order.byClass ? QStringLiteral("请在本窗口左上方 分组方式中 选择全学校、班级")
                             : QStringLiteral("请在本窗口左上方 分组方式中 选择全考场");
    }
    return {};
}

void TicketJob::Say(const QString &message) const
{
    Prompts::instance().message(
        m_window, message, QGuiApplication::applicationDisplayName(), QMessageBox::NoIcon, QMessageBox::Ok);
}

int TicketJob::Refuse(const QString &message) const
{
    Say(message);
    return 0;
}

void TicketJob::ShowPreview(frmDocument &document)
{
    document.Grid1->SetDisablePrintButton(false);
    document.Grid1->PrintPreview(75);
}

int TicketJob::Run(const Preview &preview)
{
    if (const QString incomplete = IncompleteChoice(m_order); !incomplete.isEmpty())
        return Refuse(incomplete);
    if (m_order.photos && (m_order.photoFolder.isEmpty() || m_order.photoColumn.isEmpty()))
        return Refuse(QStringLiteral("请选择存放照片的目录及与照片文件名相对应的列"));
    if (!TicketTemplate::HasTicketShape(m_template))
        return Refuse(QStringLiteral("没有可用的准考证模板，不能制作准考证。请点“恢复默认”恢复模板。"));
    if (m_order.stacked)
        return Refuse(QStringLiteral("叠式打印还不能使用，请选择顺序打印。"));
    try {
        if (const QStringList missing = TicketQueries::MissingTicketColumns(); !missing.isEmpty())
            return Refuse(QStringLiteral("考生表中没有“%1”列，不能制作准考证。请在考场编排数据中加上此列后重新导入。")
                              .arg(missing.join(QStringLiteral("”、“"))));
    } catch (const db::Error &error) {
        return Refuse(QStringLiteral("无法读取考生数据：") + error.message());
    }
    const QList<QVariantList> records = ReadExaminees();
    if (records.isEmpty() || !gMainForm)
        return 0;
    frmDocument *document = gMainForm->LoadNewDoc();
    if (!document)
        return 0;
    Grid &grid = *document->Grid1;
    grid.SetAutoRedraw(false);
    BuildInto(grid.data(), records);
    grid.layoutChanged();
    grid.SetAutoRedraw(true);
    grid.Refresh();
    ReportProblems();
    preview(*document);
    if (auto *window = qobject_cast<QMdiSubWindow *>(document->parentWidget()))
        window->close();
    else
        document->close();
    return int(records.size());
}

QList<QVariantList> TicketJob::ReadExaminees() const
{
    const QString first = m_order.choices.value(0).trimmed();
    try {
        if (m_order.byClass) {
            const QString className = m_order.choices.value(1);
            const QList<QVariantList> records = TicketQueries::ExamineesOfClass(m_order.choices.value(0), className);
            if (records.isEmpty())
                Say(QStringLiteral("%1 %2 没有考生。").arg(first, className));
            return records;
        }
        bool isNumber = false;
        const double room = first.toDouble(&isNumber);
        if (!isNumber) {
            Say(QStringLiteral("考场“%1”不是考场号，请选择一个考场。").arg(first));
            return {};
        }
        const QList<QVariantList> records = TicketQueries::ExamineesOfRoom(room);
        if (records.isEmpty())
            Say(QStringLiteral("第 %1 考场没有考生。").arg(first));
        return records;
    } catch (const db::Error &error) {
        Say(QStringLiteral("无法读取考生数据：") + error.message());
        return {};
    }
}

QStringList TicketJob::LoadPhotos(const QList<QVariantList> &records, const QSize &box, GridData &out)
{
    const int column = int(TicketQueries::TicketColumns().indexOf(m_order.photoColumn));
    const TicketPhotos photos(m_order.photoFolder, box);
    QStringList keys;
    QStringList wanted;
    QSet<QString> seen;
    for (const QVariantList &record : records) {
        const QString key = TicketPhotos::Key(record.value(column));
        if (!TicketPhotos::IsSafe(key)) {
            m_unsafePhotoNames << record.value(NameField).toString();
            keys << QString();
            continue;
        }
        keys << key;
        if (!seen.contains(key)) {
            seen.insert(key);
            wanted << key;
        }
    }
    const QStringList missing = photos.Load(wanted, out.images());
    const QSet<QString> absent(missing.begin(), missing.end());
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (absent.contains(keys.at(i))) {
            m_missingPhotos << records.at(i).value(NameField).toString();
            keys[i].clear();
        }
    }
    return keys;
}

void TicketJob::BuildInto(GridData &out, const QList<QVariantList> &records)
{
    const TicketBlocks blocks(m_template);
    TicketSheet sheet(out, blocks, ShownExamNumber(gExamNoPrefix, gExamNoForm, m_roomCount), m_order.boundField);
    sheet.Reserve(int(records.size()));
    const QStringList photoKeys
        = m_order.photos ? LoadPhotos(records, blocks.photoBox(), out) : QStringList(records.size(), QString());
    for (int i = 0; i < records.size(); ++i) {
        const QVariantList &record = records.at(i);
        if (record.value(RoomField).toString().trimmed().isEmpty() || record.value(SeatField).toString().trimmed().isEmpty())
            m_unarranged << record.value(NameField).toString();
        sheet.WriteBlock(i, record, photoKeys.at(i));
    }
    sheet.FinishPages(int(records.size()), m_order.perPage);
    LayOut(out);
}

void TicketJob::LayOut(GridData &out) const
{
    PageSetup &setup = out.pageSetup();
    setup.Orientation = 2;
    setup.TopMargin = 1;
    setup.BottomMargin = 0.3;
    setup.FooterMargin = 0;
    setup.HeaderMargin = 0;
    setup.LeftMargin = 1;
    setup.RightMargin = 1;
    for (int col = 1; col < m_template.cols(); ++col)
        out.setColWidth(col, m_template.colWidth(col));
}

void TicketJob::ReportProblems() const
{
    QStringList parts;
    if (!m_missingPhotos.isEmpty())
        parts << QStringLiteral("以下考生的照片在“%1”中没有找到或无法读取，准考证上照片处留空：\n%2")
                     .arg(m_order.photoFolder, NameList(m_missingPhotos));
    if (!m_unsafePhotoNames.isEmpty())
        parts << QStringLiteral("以下考生的“%1”不能用作照片文件名（为空，或含有 / \\ ..），没有照片：\n%2")
                     .arg(m_order.photoColumn, NameList(m_unsafePhotoNames));
    if (!m_unarranged.isEmpty())
        parts << QStringLiteral("以下考生还没有编排考场或座位号，准考证上的考场、座位号为空：\n%1").arg(NameList(m_unarranged));
    if (!parts.isEmpty())
        Say(parts.join(QStringLiteral("\n\n")));
}
