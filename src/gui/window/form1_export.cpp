#include "gui/window/form1.h"
#include "platform/save_dialog.h"
#include "store/export.h"

#include <QPushButton>
#include <QTreeWidget>

namespace {
ExportRows rowsOf(const QTreeWidget *list)
{
    ExportRows rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = list->topLevelItem(row);
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column)
            cells.append(item->text(column));
        rows.append(cells);
    }
    return rows;
}
} // namespace

void Form1::Command6_Click()
{
    const ExportRows rows = rowsOf(ListView1);
    if (rows.isEmpty()) {
        message(tr("没有可导出的数据!"));
        return;
    }
    // An empty name is as good as a cancel: there is nothing it could be written to.
    const QString fileName = platform().saveDialog->askSaveFileName(kExportFilter);
    if (fileName.isEmpty()) {
        message(tr("已取消保存"));
        return;
    }
    if (ExportListViewContent(rows, fileName)) {
        message(tr("成功导出全部数据!"));
        setStatus(tr("成功导出全部数据.."));
    } else {
        message(tr("导出失败,无法写入文件!"));
        setStatus(tr("导出失败,无法写入文件.."));
    }
}
