#include "statistics/InformationReports.h"

#include "datastore/AppState.h"
#include "datastore/StatisticsQueries.h"
#include "statistics/StatisticsDocument.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"

namespace {

const QString kTitle = QStringLiteral("原始考生信息表");
const QString kFailure
    = QStringLiteral("无法生成原始考生信息表：当前数据区的考生表不存在，或缺少学校、班级、姓名、性别列。");

frmDocument *Report(bool byClass)
{
    frmDocument *document = StatisticsDocument::OpenWithTotals(
        [byClass] { StatisticsQueries::SaveInformationCounts(gExamineeTable, byClass); },
        StatisticsQueries::kInformationQuery, kTitle, kFailure,
        [] { return StatisticsQueries::InformationTotals(gExamineeTable); }, byClass ? 3 : 2);
    if (document)
        LayoutStatisticsReport(*document);
    return document;
}

} // namespace

frmDocument *InformationReports::anbj_Click()
{
    return Report(true);
}

frmDocument *InformationReports::anxx_Click()
{
    return Report(false);
}
