#include "gui/window/list_header.h"

#include <QStyle>
#include <QStyleOptionHeader>

ListHeader::ListHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{ }

QSize ListHeader::sectionSizeFromContents(int logicalIndex) const
{
    // The list sets no per-section font, size or sort indicator: the caption in the header's font
    // is all there is to measure.
    if (!model())
        return {};
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    option.fontMetrics = fontMetrics();
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}
