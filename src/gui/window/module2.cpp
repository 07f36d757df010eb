#include "gui/window/module2.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeView>

void SubclassListView(QTreeView *listView)
{
    QHeaderView *header = listView->header();
    // Fixed sections give no border to grab; the watcher below keeps a double-click on a border
    // from fitting a column even if a section's mode is changed later.
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsMovable(false);
    header->viewport()->installEventFilter(new ListViewProc(header));
}

ListViewProc::ListViewProc(QHeaderView *header)
    : QObject(header)
    , m_header(header)
{
    setObjectName(QStringLiteral("ListViewProc"));
}

bool ListViewProc::onDivider(int x) const
{
    const int grip = m_header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, m_header);
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int logical = m_header->logicalIndex(visual);
        if (m_header->isSectionHidden(logical))
            continue;
        const int border = m_header->sectionViewportPosition(logical) + m_header->sectionSize(logical);
        if (x >= border - grip && x <= border + grip)
            return true;
    }
    return false;
}

bool ListViewProc::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (onDivider(qRound(mouse->position().x())))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
