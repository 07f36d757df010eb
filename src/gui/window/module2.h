#pragma once

#include <QObject>

class QHeaderView;
class QTreeView;

// The column lock of the progress list: the user can neither drag a column border nor
// double-click it to fit the column, while clicks on the column headers still reach the list.
// Installed once at start-up and kept for the life of the list.
void SubclassListView(QTreeView *listView);

// Watches the header's surface: swallows double-clicks on a column border and lets every other
// event through to the header.
class ListViewProc : public QObject
{
    Q_OBJECT

public:
    explicit ListViewProc(QHeaderView *header);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool onDivider(int x) const;

    QHeaderView *m_header;
};
