#pragma once

#include "core/answer_parser.h"
#include "core/parcel_types.h"
#include "gui/platform/platform.h"
#include "platform/http_client.h"
#include "platform/message_box.h"

#include <QColor>
#include <QHash>
#include <QPair>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class Class1;
class MainWindow;
class TrackingClient;
struct CarrierBoxes;
class Skin;

// The main window. Controls, window variables and event handlers carry their design names; the
// handlers are defined in the folder of the subsystem they belong to, in the file named above each
// group below; the work itself is done by the plain functions beside them.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 746;
    static constexpr int kClientHeight = 493;

    // Every query goes through `tracking`, the session's one client of the configured service.
    Form1(Platform &platform, TrackingClient &tracking, QWidget *parent = nullptr);
    ~Form1() override;

    // ---- controls (built in src/gui/window/form1.cpp): status line and main row ----
    QLabel *Label11[6] = {}; // 0 caption, 2 message, 3 version, 4 maker, 5 clock
    QLabel *Label12[6] = {}; // 2 delivery status, 3 update state, 5 transit time
    QLabel *lblSaved = nullptr;
    QComboBox *Text1 = nullptr; // saved parcels (their notes)
    QComboBox *Combo6 = nullptr; // hidden: the whole saved lines, index for index with Text1
    QPushButton *Command3 = nullptr; // 添加
    QPushButton *Command14 = nullptr; // 操作
    QPushButton *Command4 = nullptr; // 设置
    QPushButton *Command7 = nullptr; // 清空
    QPushButton *Command6 = nullptr; // 导出
    QComboBox *Combo5 = nullptr; // link menu
    QLabel *Label16 = nullptr; // 官方网站
    QTreeWidget *ListView1 = nullptr; // progress list, columns "xh", "sj", "wl"

    // ---- add panel ----
    QFrame *Picture3 = nullptr;
    QComboBox *Text3 = nullptr; // editable: the number
    QComboBox *Combo1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *Command1 = nullptr; // 开始查询
    QCheckBox *Check1 = nullptr;
    QPushButton *Command2 = nullptr; // 快捷搜索
    QToolButton *aicAlphaImage5 = nullptr;

    // ---- settings panel ----
    QFrame *Picture4 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QCheckBox *Check3 = nullptr; // voice alert
    QGroupBox *Frame1 = nullptr;
    QCheckBox *Check2 = nullptr; // e-mail notice
    QLabel *lblSendmail = nullptr;
    QLineEdit *Sendmail = nullptr;
    QGroupBox *Frame4 = nullptr; // timed query page
    QLabel *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr;
    QComboBox *Combo2 = nullptr; // hour
    QComboBox *Combo3 = nullptr; // minute
    QPushButton *Command8 = nullptr; // 开始定时 / 关闭定时
    QPushButton *Command10 = nullptr; // 循环查询
    QGroupBox *Frame6 = nullptr; // loop query page
    QLabel *Label10 = nullptr, *Label8 = nullptr;
    QComboBox *Combo4 = nullptr; // interval in minutes
    QPushButton *Command5 = nullptr; // 开始循环 / 停止循环
    QPushButton *Command11 = nullptr; // 定时查询
    QToolButton *aicAlphaImage1 = nullptr;

    // ---- operation panel ----
    QFrame *Picture5 = nullptr;
    QLineEdit *Text4 = nullptr;
    QComboBox *Text5 = nullptr;
    QLineEdit *Text6 = nullptr;
    QPushButton *Command13 = nullptr; // 修改
    QPushButton *Command9 = nullptr; // 删除
    QPushButton *Command12 = nullptr; // 复制
    QPushButton *Command15 = nullptr; // 快捷搜索
    QToolButton *aicAlphaImage2 = nullptr;

    // ---- timers ----
    QTimer *Timer1 = nullptr; // 100 ms, parse
    QTimer *Timer3 = nullptr; // 1000 ms, version check
    QTimer *Timer4 = nullptr; // 1000 ms, timed query
    QTimer *Timer5 = nullptr; // 1000 ms, clock
    QTimer *Timer6 = nullptr; // 60000 ms, loop query

    // ---- window variables ----
    QString strComCode; // service code of the carrier chosen in Combo1
    QString strAnswer; // answer of the last tracking request, emptied by csh
    int intRowCount = 0; // rows of the answer still to parse
    ParseState parseState; // varTimeCell, strStepCell, intCellIndex
    QTreeWidgetItem *itmRow = nullptr; // the row the parse added last
    int intPrevRows = 0; // rows of the previous parsed answer
    int intLastRows = 0; // rows of the answer just parsed
    QString strSavedIndex, strSavedNumber, strSavedCom, strSavedRemark; // the chosen saved parcel
    int intSavedIndex = 0; // index of the parcel chosen before
    QString strVoiceSetting; // stored value of the voice-alert setting
    int intTimerTicks = 0; // minutes counted by the loop query
    QString strPromo, strPromoText, strPromoUrl; // the announcement, its link text and target
    Class1 *objTip = nullptr; // balloon tip over the progress list

    // ==== src/gui/window/form1_carriers.cpp: carrier catalogue ====
    // Fill Combo1 and Text5: each entry shows the carrier in the interface's language and holds
    // the catalogue's name, the one saved lines and the history store.
    void kdlb();
    void Combo1_Click(); // strComCode follows the carrier chosen in Combo1
    static QString chosenCarrier(const QComboBox *box); // the stored name of the box's carrier

    // ==== src/gui/window/form1_query.cpp: tracking request ====
    void kdgs(const QString &number); // ask the service for the number's progress into strAnswer
    // The parcel kdgs asked for (number, carrier code and name) and the note the query command
    // gave it: change detection and the notice speak of this parcel.
    QString queriedNumber, queriedCom, queriedCarrierName, queriedRemark;
    // The parsed parcel's status word and transit time as stored and sent (Chinese); Label12[2]
    // and Label12[5] show them in the interface's language.
    QString queriedStatus = QStringLiteral("未查询");
    QString queriedTransit = QStringLiteral("未查询");
    HttpResult lastTracking; // how the last request ended, so that an empty answer can be explained

    // ==== src/gui/window/form1_commands.cpp: query commands ====
    void Command1_Click(); // 开始查询: query the number typed on the add panel, save it
    void cx(); // query the chosen saved parcel
    bool queryOfChosenParcel = false; // set by cx: the parcel queried is saved already
    // Re-enables Command1 and says why when an answer starts no parse.
    void endQueryWithoutParse(const QString &status);

    // ==== src/gui/window/form1_parse.cpp: answer parser ====
    void hx2(); // count the answer's rows into intRowCount and arm Timer1
    void Timer1_Timer(); // fill ListView1, set status and transit time, then gxtj
    void csh(); // empty the answer and the parse's work variables

    // ==== src/gui/window/form1_startup.cpp: start-up and shutdown ====
    void Form_Load();
    void Form_QueryUnload(int &cancel); // the exit question

    // ==== src/gui/window/form1_skin.cpp: skin ====
    void applySkin(); // the skin file, then the colour shift
    void prepareSkin(); // the same look, put in place before the controls are built
    QString skinFile() const;
    Skin *skin = nullptr; // made by prepareSkin

    // ==== src/gui/window/form1_frame.cpp: frame, painting, mouse, column lock, finder buttons ====
    QImage Image10; // frame skin, 13 x 101
    QImage Image9; // title-bar button sprites, 70 x 69
    QImage Image8; // title banner, 160 x 32
    void installColumnLock(); // the user cannot resize the progress list's columns
    void Form_Paint();
    void Form_MouseMove(Qt::MouseButtons Button, double X, double Y);
    void Form_MouseDown(Qt::MouseButton Button, double X, double Y);
    void Form_MouseUp(Qt::MouseButton Button, double X, double Y);
    void Form_KeyDown(int KeyCode); // a Qt::Key; F8 pastes the clipboard into Text3
    void Picture3_MouseDown(Qt::MouseButton Button);
    void Picture4_MouseDown(Qt::MouseButton Button);
    void Picture5_MouseDown(Qt::MouseButton Button);
    void Label16_MouseMove();
    void Label16_MouseDown(Qt::MouseButton Button); // opens the maker's site
    void Command2_Click(); // 快捷搜索 on the add panel: the carrier finder
    void Command15_Click(); // 快捷搜索 on the operation panel: the carrier finder
    CarrierBoxes carrierBoxes(); // what the finder writes into

    // ==== src/gui/window/form1_saved.cpp: saved-parcel file and its commands ====
    void dq(); // fill Text1 and Combo6 from wlnum.ini
    void xr(); // save the parcel just queried: append its line, rewrite wlnum.ini
    void xr2(); // rewrite wlnum.ini from Combo6, then choose entry 0
    void deleteSavedFile();
    void Command3_Click(); // 添加: open the add panel
    void aicAlphaImage5_Click(); // close the add panel
    void Command9_Click(); // 删除
    void Command13_Click(); // 修改
    void Command7_Click(); // 清空
    // Lines of the saved-parcel file that are not parcels: not listed, written back after them.
    QStringList savedOtherLines;
    // False after a write of the saved-parcel file failed: the lists are then newer than the file.
    bool savedFileWritten = true;
    // Why the saved-parcel file could not be read at the load although it is there; while set, the
    // lists are not the file and nothing rewrites or removes it.
    QString savedListRefusal;
    // What the status line says after a failed write.
    QString savedListProblem() const;
    // Writes the line list and the other lines in one step; a failure is told on the status line.
    bool writeSavedList();
    // Replaces both lists by the file, unless its last write failed (the lists are newer then).
    void reloadSavedLists();

    // ==== src/gui/window/form1_settings.cpp: settings file and panel ====
    QString GetFromINI(const QString &AppName, const QString &KeyName, const QString &Default,
                       const QString &FileName);
    void readSettingsAtStartup(); // 语音提示 to Check3, 通知邮箱 to Sendmail
    void Check2_Click();
    void Check3_Click();
    void Command4_Click(); // 设置: open the settings panel
    void aicAlphaImage1_Click(); // close the settings panel

    // ==== src/gui/window/form1_list.cpp: choosing and copying ====
    void Text1_Click(); // choose a saved parcel and query it
    void Command14_Click(); // 操作: open the operation panel with the chosen parcel
    void Command12_Click(); // 复制: the chosen parcel to the clipboard
    void aicAlphaImage2_Click(); // close the operation panel
    void ListView1_Click(); // the balloon tip with the row's progress
    void ListView1_DblClick(); // the row to the clipboard
    // Clicks on the progress list, its empty area included, reach ListView1_Click / _DblClick.
    void connectListClicks();

    // ==== src/gui/window/form1_export.cpp: export ====
    void Command6_Click(); // 导出: the progress list to a text file

    // ==== src/gui/window/form1_monitor.cpp: timed and loop queries, clock ====
    void Command8_Click(); // 开始定时 / 关闭定时
    void Command10_Click(); // to the loop query page
    void Command5_Click(); // 开始循环 / 停止循环
    void Command11_Click(); // to the timed query page
    void Timer4_Timer(); // timed query: compares the clock with Combo2 and Combo3
    void Timer5_Timer(); // the clock in Label11(5)
    void Timer6_Timer(); // loop query: counts minutes in intTimerTicks
    // Text1, Combo1, Command3, Command13, Command9, Command7 and Command2: locked while a timed
    // query is armed or a loop runs, so the watched parcel cannot change.
    void setLockedSetEnabled(bool enabled);
    void automaticQuery(); // a pick of the watched parcel by the timed or loop query

    // ==== src/gui/window/form1_notice.cpp: change detection and e-mail notice ====
    void gxtj(); // 有更新 / 无更新, the alert sound, the notice
    void emailgx(); // the notice mail about the parcel just parsed
    void sendNotice(const QString &remark, const QString &number, const QString &carrier, const QString &time,
                    const QString &progress, const QString &transit);
    // "发件设置..." in the free space at the end of the e-mail frame's caption line: the sender
    // dialog.
    void addSenderSettingsButton();
    // The last row count of each parcel answered in this run, by number and carrier code.
    QHash<QPair<QString, QString>, int> rowsByParcel;

    // ==== src/gui/window/form1_update.cpp: version check and link menu ====
    void Timer3_Timer(); // version and announcement check, once, a second after start-up
    void Combo5_Click(); // link menu
    bool updateChecked = false; // the version check runs once per start

    // ==== src/gui/window/form1_interface.cpp: what code beyond the designed windows uses ====
    MainWindow &mainWindow(); // all it may use of this window
    QStringList savedLines() const; // Combo6's entries
    // Picks a saved parcel in Text1 as a user would, which queries it (after a pending request).
    // False when it is not saved or Text1 is locked by a timed or loop query. Change detection
    // counts from `rowsKnown` rows of it at least (-1: from what this run saw).
    bool pickSavedParcel(const QString &number, const QString &com, int rowsKnown = -1);
    // The alert sound and the notice mail for news found elsewhere, as change detection gives them.
    void announceNews(const ParcelNews &news);
    // Appends saved lines (an import) to Text1 and Combo6 and rewrites wlnum.ini, as xr does for
    // one. When the file cannot be written the lines are taken back out of the lists, and the
    // reason is returned (empty when written).
    QString addSavedLines(const QStringList &lines);
    // The add panel Picture3 as 添加 opens it, with the number typed and the carrier chosen (-1:
    // as 添加 leaves it), the focus on the note; after a pending request.
    void openAddPanel(const QString &number, int carrier);
    // A further entry at the end of the link menu Combo5.
    void addMenuEntry(const QString &caption, std::function<void()> action);
    void bringToFront();
    // Runs the work now, or once the pending request is over.
    void runAfterWait(std::function<void()> work);

    // ==== src/gui/window/form1.cpp: helpers shared by the subsystems ====
    Platform &platform() { return m_platform; }
    QString savedFilePath() const; // wlnum.ini
    QString settingsFilePath() const; // parcelvue.ini
    int columnByKey(const QString &key) const; // list column of "xh", "sj" or "wl"
    MsgAnswer message(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::Information);
    void setStatus(const QString &text) { setCaption(Label11[2], text); }
    static QString shownSavedListNotSaved(); // the store's kSavedListNotSaved, translated
    static void setCaption(QLabel *label, const QString &text);
    static void setLabelColor(QLabel *label, const QColor &color);
    // Centres a panel where the add panel sits when centred, hides the other two, shows it.
    void showPanel(QFrame *panel);

    // Network waits: the window keeps painting while a request is pending, user input is held,
    // and a timer tick that falls meanwhile runs once afterwards instead of inside the wait.
    HttpResult fetch(const QString &url);
    bool waiting() const { return m_waitDepth > 0; }
    void beginWait() { ++m_waitDepth; }
    void endWait();
    // Runs the tick now, or once after the pending request when one is under way.
    void runTick(void (Form1::*tick)());

Q_SIGNALS:
    void savedListChanged(); // Combo6 was refilled, added to, rewritten or cleared
    void answerParsed(const TrackingAnswer &answer);
    void queryFailed(const ParcelKey &key, const QString &error);
    // Change detection said "有更新" for the parcel just parsed (src/gui/window/form1_interface.cpp).
    void updateFound(const ParcelKey &key, const ParcelNews &news);

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // src/gui/window/form1.cpp
    void buildControls();
    void buildAddPanel();
    void buildSettingsPanel();
    void buildOperationPanel();
    void buildTimers();
    // Each subsystem connects the signals of its own controls to its handlers, in its own folder.
    void connectCore(); // src/gui/window/form1_carriers.cpp
    void connectWindow(); // src/gui/window/form1_frame.cpp
    void connectStore(); // src/gui/window/form1_store.cpp
    void connectMonitor(); // src/gui/window/form1_monitor.cpp

    // src/gui/window/form1_frame.cpp
    // Looks of the title-bar buttons (source rectangles of Image9) that the mouse handlers draw at
    // once over what the window shows; a null one leaves its button as it is.
    QRect m_minimiseLook, m_closeLook;
    void showButtonLooks(const QRect &minimise, const QRect &close);
    // The window manager moves the window until the button is up; that release is the move's.
    bool m_systemMove = false;
    // Moving the window or a panel by following the mouse, where the platform has no move of its own.
    QPointF m_pressGlobal;
    bool m_windowDrag = false;
    QPointF m_windowDragOffset;
    QWidget *m_dragPanel = nullptr;
    QPointF m_panelDragOffset;
    void startWindowMove();
    void startPanelDrag(QWidget *panel);
    bool panelMouseEvent(QWidget *panel, QEvent *event);

    Platform &m_platform;
    TrackingClient &m_tracking;
    MainWindow *m_mainWindow = nullptr; // a child, made on first use
    int m_waitDepth = 0;
    std::vector<void (Form1::*)()> m_deferredTicks;
    std::vector<std::function<void()>> m_afterWait;
    std::vector<std::function<void()>> m_menuEntries; // link menu entries after the designed six
    void tellAnswerParsed(); // src/gui/window/form1_interface.cpp
    void tellUpdateFound(); // src/gui/window/form1_interface.cpp
};
