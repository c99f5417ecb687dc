#include "tickets/TicketJob.h"

#include "datastore/TicketQueries.h"
#include "db/Error.h"
#include "examrooms/ExamNoSettings.h"
#include "gridview/Grid.h"
#include "griddata/GridData.h"
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
constexpr int NumberField = 1;
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

// An examinee as a message names them: by name, by exam number when the name is empty.
QString Who(const QVariantList &record)
{
    const QString name = record.value(NameField).toString().trimmed();
    if (!name.isEmpty())
        return name;
    const QString number = record.value(NumberField).toString().trimmed();
    return number.isEmpty() ? QStringLiteral("（没有姓名和考号的考生）") : QStringLiteral("考号 ") + number;
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
    if (m_order.photos && !TicketPhotos::FolderExists(m_order.photoFolder))
        return Refuse(QStringLiteral("照片目录“%1”不存在，请重新选择存放照片的目录。").arg(m_order.photoFolder));
    if (!TicketTemplate::HasTicketShape(m_template))
        return Refuse(QStringLiteral("没有可用的准考证模板，不能制作准考证。请点“恢复默认”恢复模板。"));
    try {
        if (const QStringList missing = TicketQueries::MissingTicketColumns(); !missing.isEmpty())
            return Refuse(QStringLiteral("考生表中没有“%1”列，不能制作准考证。请在考场编排数据中加上此列后重新导入。")
                              .arg(missing.join(QStringLiteral("”、“"))));
    } catch (const db::Error &error) {
        return Refuse(QStringLiteral("无法读取考生数据：") + error.message());
    }
    const QList<QList<QVariantList>> groups
        = m_order.stacked ? ReadGroups() : QList<QList<QVariantList>> { ReadExaminees() };
    if (groups.isEmpty() || groups.first().isEmpty() || !gMainForm)
        return 0;
    frmDocument *document = gMainForm->LoadNewDoc();
    if (!document)
        return 0;
    Grid &grid = *document->Grid1;
    grid.SetAutoRedraw(false);
    if (m_order.stacked)
        BuildStackedInto(grid.data(), groups);
    else
        BuildInto(grid.data(), groups.first());
    grid.layoutChanged();
    grid.SetAutoRedraw(true);
    grid.Refresh();
    ReportProblems();
    preview(*document);
    if (auto *window = qobject_cast<QMdiSubWindow *>(document->parentWidget()))
        window->close();
    else
        document->close();
    int tickets = 0;
    for (const QList<QVariantList> &group : groups)
        tickets += int(group.size());
    return tickets;
}

QList<QVariantList> TicketJob::ReadExaminees() const
{
    return ReadGroup(m_order.choices.value(0), m_order.choices.value(m_order.byClass ? 1 : 0));
}

QList<QList<QVariantList>> TicketJob::ReadGroups() const
{
    QList<QList<QVariantList>> groups;
    const int first = m_order.byClass ? 1 : 0;
    for (int k = 0; k < m_order.perPage; ++k) {
        const QList<QVariantList> group = ReadGroup(m_order.choices.value(0), m_order.choices.value(first + k));
        if (group.isEmpty())
            return {};
        groups << group;
    }
    return groups;
}

QList<QVariantList> TicketJob::ReadGroup(const QString &school, const QString &choice) const
{
    const QString first = choice.trimmed();
    try {
        if (m_order.byClass) {
            const QList<QVariantList> records = TicketQueries::ExamineesOfClass(school, choice);
            if (records.isEmpty())
                Say(QStringLiteral("%1 %2 没有考生。").arg(school.trimmed(), choice));
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
            m_unsafePhotoNames << Who(record);
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
            m_missingPhotos << Who(records.at(i));
            keys[i].clear();
        }
    }
    return keys;
}

void TicketJob::BuildInto(GridData &out, const QList<QVariantList> &records)
{
    const TicketBlocks blocks(m_template);
    TicketSheet sheet(out, blocks, gExamNoPrefix, gExamNoForm, m_roomCount, m_order.boundField);
    sheet.Reserve(int(records.size()));
    const QStringList photoKeys
        = m_order.photos ? LoadPhotos(records, blocks.photoBox(), out) : QStringList(records.size(), QString());
    for (int i = 0; i < records.size(); ++i) {
        NoteUnarranged(records.at(i));
        sheet.WriteBlock(i, records.at(i), photoKeys.at(i));
    }
    sheet.FinishPages(int(records.size()), m_order.perPage);
    LayOut(out);
}

void TicketJob::BuildStackedInto(GridData &out, const QList<QList<QVariantList>> &groups)
{
    const TicketBlocks blocks(m_template);
    TicketSheet sheet(out, blocks, gExamNoPrefix, gExamNoForm, m_roomCount, m_order.boundField);
    qsizetype pages = 0;
    for (const QList<QVariantList> &group : groups)
        pages = std::max(pages, group.size());
    const int blockCount = int(pages * groups.size());
    sheet.Reserve(blockCount);
    QList<QStringList> photoKeys;
    for (const QList<QVariantList> &group : groups)
        photoKeys << (m_order.photos ? LoadPhotos(group, blocks.photoBox(), out) : QStringList(group.size(), QString()));
    int block = 0;
    for (qsizetype p = 0; p < pages; ++p) {
        for (qsizetype k = 0; k < groups.size(); ++k, ++block) {
            if (p >= groups[k].size()) {
                sheet.WritePlaceholder(block, m_order.photos);
                continue;
            }
            const QVariantList &record = groups[k][p];
            NoteUnarranged(record);
            sheet.WriteBlock(block, record, photoKeys[k][p]);
        }
    }
    sheet.FinishPages(blockCount, int(groups.size()));
    LayOut(out);
}

void TicketJob::NoteUnarranged(const QVariantList &record)
{
    if (record.value(RoomField).toString().trimmed().isEmpty() || record.value(SeatField).toString().trimmed().isEmpty())
        m_unarranged << Who(record);
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
        parts << QStringLiteral("以下考生的照片在“%1”中没有找到、无法读取或不完整，准考证上照片处留空：\n%2")
                     .arg(m_order.photoFolder, NameList(m_missingPhotos));
    if (!m_unsafePhotoNames.isEmpty())
        parts << QStringLiteral("以下考生的“%1”不能用作照片文件名（为空，或含有 / \\ ..），没有照片：\n%2")
                     .arg(m_order.photoColumn, NameList(m_unsafePhotoNames));
    if (!m_unarranged.isEmpty())
        parts << QStringLiteral("以下考生还没有编排考场或座位号，准考证上的考场、座位号为空：\n%1").arg(NameList(m_unarranged));
    if (!parts.isEmpty())
        Say(parts.join(QStringLiteral("\n\n")));
}
