// What the code beyond the designed windows may use of the main window (MainWindow): pick a saved
// parcel as a user would, sound and mail for news found elsewhere, saved lines added by an
// import, extra entries at the end of the link menu, and the signals that the saved list changed,
// that an answer was parsed or a query failed, and that change detection found news.
#include "core/carrier_catalogue.h"
#include "core/tracking_check.h"
#include "gui/window/form1.h"
#include "gui/window/main_window.h"
#include "platform/paths.h"
#include "platform/sound_player.h"
#include "store/saved_parcel_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

namespace {
class Form1MainWindow final : public MainWindow
{
public:
    explicit Form1MainWindow(Form1 &form)
        : MainWindow(&form)
        , m_form(form)
    {
        connect(&form, &Form1::savedListChanged, this, &MainWindow::savedListChanged);
        connect(&form, &Form1::answerParsed, this, &MainWindow::answerParsed);
        connect(&form, &Form1::queryFailed, this, &MainWindow::queryFailed);
        connect(&form, &Form1::updateFound, this, &MainWindow::updateFound);
    }

    QWidget *widget() override { return &m_form; }
    QString settingsFilePath() const override { return m_form.settingsFilePath(); }
    QStringList savedLines() const override { return m_form.savedLines(); }
    bool pickSavedParcel(const QString &number, const QString &com, int rowsKnown) override
    {
        return m_form.pickSavedParcel(number, com, rowsKnown);
    }
    void announceNews(const ParcelNews &news) override { m_form.announceNews(news); }
    QString addSavedLines(const QStringList &lines) override { return m_form.addSavedLines(lines); }
    bool savedListRead() const override { return m_form.savedListRefusal.isEmpty(); }
    void openAddPanel(const QString &number, int carrier) override { m_form.openAddPanel(number, carrier); }
    void addMenuEntry(const QString &caption, std::function<void()> action) override
    {
        m_form.addMenuEntry(caption, std::move(action));
    }
    void bringToFront() override { m_form.bringToFront(); }
    void runAfterWait(std::function<void()> work) override { m_form.runAfterWait(std::move(work)); }

private:
    Form1 &m_form;
};
} // namespace

MainWindow &Form1::mainWindow()
{
    if (!m_mainWindow)
        m_mainWindow = new Form1MainWindow(*this);
    return *m_mainWindow;
}

QStringList Form1::savedLines() const
{
    QStringList lines;
    for (int i = 0; i < Combo6->count(); ++i)
        lines.append(Combo6->itemText(i));
    return lines;
}

bool Form1::pickSavedParcel(const QString &number, const QString &com, int rowsKnown)
{
    int found = -1;
    for (int i = 0; i < Combo6->count() && found < 0; ++i) {
        const SavedParcel parcel = readSavedLine(Combo6->itemText(i));
        if (parcel.number == number && carrierCode(carrierIndexByName(parcel.carrier)) == com)
            found = i;
    }
    // A locked list (a timed or loop query watches its parcel) stays as it is, as it does for a user.
    if (found < 0 || found >= Text1->count() || !Text1->isEnabled())
        return false;
    runAfterWait([this, found, number, com, rowsKnown] {
        if (found >= Text1->count() || !Text1->isEnabled())
            return;
        int &seen = rowsByParcel[{number, com}];
        seen = std::max(seen, rowsKnown);
        Text1->setCurrentIndex(found);
        Text1_Click();
    });
    return true;
}

void Form1::announceNews(const ParcelNews &news)
{
    runAfterWait([this, news] {
        if (Check3->isChecked() && platform().sound)
            platform().sound->play(assetPath(platform().dataDir, QStringLiteral("ts.mp3")), 50);
        if (Check2->isChecked() && !Sendmail->text().isEmpty())
            sendNotice(news.remark, news.number, news.carrierName, news.time, news.progress, news.transit);
    });
}

QString Form1::addSavedLines(const QStringList &lines)
{
    if (!savedListRefusal.isEmpty()) {
        setStatus(savedListRefusal);
        return savedListRefusal;
    }
    const QSignalBlocker blockText1(Text1);
    const QSignalBlocker blockCombo6(Combo6);
    const int chosen = Text1->currentIndex();
    const QString currentLine = Combo6->currentText();
    // The choice stays as it was, as after xr.
    auto keepChoice = [&] {
        Text1->setCurrentIndex(chosen);
        Combo6->setCurrentIndex(chosen);
        Combo6->setEditText(currentLine);
    };
    const int before = Combo6->count();
    QStringList remarks;
    for (const QString &line : lines)
        remarks.append(readSavedLine(line).remark);
    Combo6->addItems(lines);
    Text1->addItems(remarks);
    keepChoice();
    QString error;
    if (writeFileAtomically(savedFilePath(), composeSavedFile(savedLines(), savedOtherLines), &error)) {
        savedFileWritten = true;
        Q_EMIT savedListChanged();
        return QString();
    }
    // Not written: the lists go back to what the file holds, so that a retry adds the lines again.
    while (Combo6->count() > before)
        Combo6->removeItem(Combo6->count() - 1);
    while (Text1->count() > before)
        Text1->removeItem(Text1->count() - 1);
    keepChoice();
    setStatus(kSavedListNotSaved);
    return error;
}

void Form1::openAddPanel(const QString &number, int carrier)
{
    runAfterWait([this, number, carrier] {
        bringToFront();
        Command3_Click();
        Text3->setEditText(number);
        if (carrier >= 0 && carrier < Combo1->count())
            Combo1->setCurrentIndex(carrier);
        Text2->setFocus(Qt::OtherFocusReason);
    });
}

void Form1::addMenuEntry(const QString &caption, std::function<void()> action)
{
    Combo5->addItem(caption);
    Combo5->setCurrentIndex(-1);
    m_menuEntries.push_back(std::move(action));
}

void Form1::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void Form1::runAfterWait(std::function<void()> work)
{
    if (!waiting()) {
        work();
        return;
    }
    m_afterWait.push_back(std::move(work));
}

void Form1::tellAnswerParsed()
{
    TrackingAnswer answer;
    answer.key = {queriedNumber, queriedCom};
    const int timeColumn = columnByKey(QStringLiteral("sj"));
    const int stepColumn = columnByKey(QStringLiteral("wl"));
    for (int row = ListView1->topLevelItemCount() - 1; row >= 0; --row) {
        const QTreeWidgetItem *item = ListView1->topLevelItem(row);
        answer.rows.append({item->text(timeColumn), item->text(stepColumn), {}});
    }
    // The history keeps the event as the carrier wrote it and the status as the service gave it.
    if (!answer.rows.isEmpty())
        answer.rows.last().text = carrierText(answer.rows.last().text, lastTracking);
    answer.status = answerStatus(lastTracking, queriedStatus);
    Q_EMIT answerParsed(answer);
}

void Form1::tellUpdateFound()
{
    ParcelNews news;
    news.remark = queriedRemark;
    news.number = queriedNumber;
    news.carrierName = queriedCarrierName;
    if (const QTreeWidgetItem *newest = ListView1->topLevelItem(0)) {
        news.time = newest->text(columnByKey(QStringLiteral("sj")));
        news.progress = newest->text(columnByKey(QStringLiteral("wl")));
    }
    news.transit = queriedTransit;
    Q_EMIT updateFound({queriedNumber, queriedCom}, news);
}
