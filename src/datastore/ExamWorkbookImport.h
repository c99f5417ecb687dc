#pragma once

#include "datastore/ImportResult.h"

#include <QString>

// 导入数据/考场编排数据: replaces the current area's examinee table by the workbook's "Sheet1"
// and its room table by "Sheet2", names the area after the workbook file and shows every
// examinee column in workbook order.
//
// Nothing changes unless the workbook is readable, has both sheets and their required columns,
// and the whole replacement succeeds: the tables, the area name and the display setting are
// written in one transaction. Never shows a message itself; the caller shows result.message.
ImportResult ImportExamWorkbook(const QString &path);
