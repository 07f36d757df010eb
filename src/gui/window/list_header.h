#pragma once

#include <QHeaderView>

// A report list's column headers, sized with the font they are drawn in. The stock header
// measures its sections in bold, which loads the bold faces (the CJK one weighs megabytes) only to
// size a header whose widths are set by hand anyway.
class ListHeader : public QHeaderView
{
public:
    explicit ListHeader(QWidget *parent = nullptr);

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
};
