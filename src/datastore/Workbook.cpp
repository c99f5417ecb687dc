#include "datastore/Workbook.h"

#include <QFile>
#include <freexl.h>

namespace {

QVariant cellValue(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return static_cast<double>(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return cell.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return cell.value.text_value ? QString::fromUtf8(cell.value.text_value) : QString();
    default:
        return QVariant();
    }
}

// Closes the FreeXL handle however reading ends.
class Handle {
public:
    explicit Handle(const QString &path) { m_status = freexl_open(QFile::encodeName(path).constData(), &m_handle); }
    ~Handle()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool ok() const { return m_status == FREEXL_OK && m_handle; }
    const void *get() const { return m_handle; }

private:
    const void *m_handle = nullptr;
    int m_status = FREEXL_OK;
};

} // namespace

bool Workbook::Load(const QString &path)
{
    m_sheets.clear();
    m_error.clear();
    Handle handle(path);
    unsigned int sheetCount = 0;
    if (!handle.ok() || freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK) {
        m_error = QStringLiteral("无法读取该文件，它不是有效的 Excel 工作簿。");
        return false;
    }
    // A protected workbook opens, but its cells would be read as garbage.
    unsigned int protection = FREEXL_BIFF_PLAIN;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK
        && protection == FREEXL_BIFF_OBFUSCATED) {
        m_error = QStringLiteral("无法读取该工作簿：它设有密码保护，请先在 Excel 中取消密码。");
        return false;
    }
    for (unsigned short index = 0; index < sheetCount; ++index) {
        if (!readSheet(handle.get(), index)) {
            m_error = QStringLiteral("无法读取该工作簿，文件可能已损坏。");
            m_sheets.clear();
            return false;
        }
    }
    return true;
}

bool Workbook::readSheet(const void *handle, unsigned short index)
{
    const char *name = nullptr;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_get_worksheet_name(handle, index, &name) != FREEXL_OK
        || freexl_select_active_worksheet(handle, index) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        return false;
    WorksheetCells sheet;
    sheet.name = name ? QString::fromUtf8(name) : QString();
    sheet.rows.reserve(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        QVector<QVariant> row(columns);
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK)
                return false;
            row[c] = cellValue(cell);
        }
        sheet.rows.append(std::move(row));
    }
    m_sheets.append(std::move(sheet));
    return true;
}

QStringList Workbook::SheetNames() const
{
    QStringList names;
    for (const WorksheetCells &sheet : m_sheets)
        names << sheet.name;
    return names;
}

const WorksheetCells *Workbook::Sheet(const QString &name) const
{
    for (const WorksheetCells &sheet : m_sheets)
        if (sheet.name.compare(name, Qt::CaseInsensitive) == 0)
            return &sheet;
    return nullptr;
}
