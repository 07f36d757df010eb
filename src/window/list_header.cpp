#include "window/list_header.h"

#include <QFont>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionHeader>

ListHeader::ListHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{ }

QSize ListHeader::sectionSizeFromContents(int logicalIndex) const
{
    if (!model())
        return {};
    const QVariant hint = model()->headerData(logicalIndex, orientation(), Qt::SizeHintRole);
    if (hint.isValid())
        return hint.toSize();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    const QVariant font = model()->headerData(logicalIndex, orientation(), Qt::FontRole);
    option.fontMetrics = font.canConvert<QFont>() ? QFontMetrics(font.value<QFont>()) : fontMetrics();
    if (isSortIndicatorShown())
        option.sortIndicator = QStyleOptionHeader::SortDown;
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}
