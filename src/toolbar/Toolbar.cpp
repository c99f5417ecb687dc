#include "toolbar/Toolbar.h"

Toolbar::Toolbar(QWidget *parent)
    : ButtonStrip(
        {
            { 0, ":/icons/new", "新建" },
            { 22, ":/icons/open", "打开" },
            { 44, ":/icons/save", "保存" },
            { 71, ":/icons/print", "打印" },
            { 93, ":/icons/print-preview", "打印预览" },
            { 120, ":/icons/cut", "剪切" },
            { 142, ":/icons/copy", "复制" },
            { 164, ":/icons/paste", "粘贴" },
            { 191, ":/icons/merge", "合并单元格" },
            { 213, ":/icons/unmerge", "取消合并单元格" },
            { 240, ":/icons/insert-row", "插入行" },
            { 262, ":/icons/insert-column", "插入列" },
            { 284, ":/icons/delete-row", "删除行" },
            { 306, ":/icons/delete-column", "删除列" },
            { 333, ":/icons/beautify", "美化表格" },
            { 355, ":/icons/settings", "设置" },
            { 377, ":/icons/about", "关于" },
        },
        { 68, 117, 188, 237, 330 }, QSize(401, 25), parent)
{
}
