#pragma once

#include "core/parcel_types.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// What the code beyond the designed windows (the session, the overview, the tray, the importers)
// may use of the main window, and all it may use: the window's controls stay its own. Form1 gives
// it as mainWindow().
class MainWindow : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The window as a widget: to show, hide or raise it, to parent a dialog, to follow its state.
    virtual QWidget *widget() = 0;
    virtual QString settingsFilePath() const = 0; // parcelvue.ini
    // The saved lines, in the order of the saved-parcel file.
    virtual QStringList savedLines() const = 0;
    // Picks a saved parcel as a user would, which queries it (after a pending request). False when
    // it is not saved or the list is locked by a timed or loop query.
    virtual bool pickSavedParcel(const QString &number, const QString &com) = 0;
    // The alert sound and the notice mail for news found elsewhere, as change detection gives them.
    virtual void announceNews(const ParcelNews &news) = 0;
    // Appends saved lines (an import) and rewrites wlnum.ini, as a query of a new number does for
    // one; false when the file could not be written.
    virtual bool addSavedLines(const QStringList &lines) = 0;
    // The add panel, opened as 添加 opens it, with the number and the carrier (a catalogue position,
    // or -1) filled in and the focus on the note; the user queries and saves it.
    virtual void openAddPanel(const QString &number, int carrier) = 0;
    // A further entry at the end of the link menu.
    virtual void addMenuEntry(const QString &caption, std::function<void()> action) = 0;
    virtual void bringToFront() = 0;
    // Runs the work now, or once the pending request is over: nothing may run designed code
    // inside a designed wait.
    virtual void runAfterWait(std::function<void()> work) = 0;

Q_SIGNALS:
    void savedListChanged(); // the saved list was refilled, added to, rewritten or cleared
    void answerParsed(const TrackingAnswer &answer);
    void queryFailed(const ParcelKey &key, const QString &error);
    // Change detection said "有更新" for the parcel just parsed.
    void updateFound(const ParcelKey &key, const ParcelNews &news);
};
