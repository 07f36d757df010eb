#pragma once

#include "core/answer_parser.h"
#include "platform/http_get.h"
#include "platform/message_box.h"
#include "platform/platform.h"

#include <QColor>
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
class Skin;

// The main window. Controls, window variables and event handlers carry their design names; the
// handlers are defined in the folder of the subsystem they belong to (src/core/form1_*.cpp,
// src/store/form1_*.cpp, ...), the work itself is done by the plain functions beside them.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 746;
    static constexpr int kClientHeight = 493;

    explicit Form1(Platform &platform, QWidget *parent = nullptr);
    ~Form1() override;

    // ---- controls: status line and main row ----
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
    QString strComCode;
    QString strAnswer;
    int intRowCount = 0;
    ParseState parseState; // varTimeCell, strStepCell, intCellIndex
    QTreeWidgetItem *itmRow = nullptr;
    int intPrevRows = 0;
    int intLastRows = 0;
    QString strSavedIndex, strSavedNumber, strSavedCom, strSavedRemark;
    int intSavedIndex = 0;
    QString strVoiceSetting;
    int intTimerTicks = 0;
    QString strPromo, strPromoText, strPromoUrl;
    Class1 *objTip = nullptr;

    // The parcel the last parse belongs to (number and carrier), so that change detection and the
    // notice speak of the parcel that was actually queried.
    // kdgs records the number, carrier code and carrier name it asked for; the query commands set
    // the note before calling it. Change detection and the notice speak of this parcel.
    QString queriedNumber, queriedCom, queriedCarrierName, queriedRemark;
    // How the last tracking request ended, so an empty answer can be explained.
    HttpResult lastTracking;

    // ---- core: catalogue, request, parse, query commands ----
    void kdlb();
    void Combo1_Click();
    void kdgs(const QString &number);
    void Command1_Click();
    void cx();
    void hx2();
    void Timer1_Timer();
    void csh();

    // ---- window: start-up, shutdown, frame ----
    void Form_Load();
    void Form_QueryUnload(int &cancel);
    void applySkin(); // the skin file, then the colour shift
    void prepareSkin(); // the same look, put in place before the controls are built
    QString skinFile() const;
    void installColumnLock(); // the user cannot resize the progress list's columns

    // ---- store: saved parcels, settings, list interactions, export ----
    void dq();
    void xr();
    void xr2();
    void deleteSavedFile();
    void Command3_Click();
    void Command9_Click();
    void Command13_Click();
    void Command7_Click();
    void aicAlphaImage5_Click();
    QString GetFromINI(const QString &AppName, const QString &KeyName, const QString &Default,
                       const QString &FileName);
    void readSettingsAtStartup();
    void Check2_Click();
    void Check3_Click();
    void Command4_Click();
    void aicAlphaImage1_Click();
    void Text1_Click();
    void Command14_Click();
    void Command12_Click();
    void aicAlphaImage2_Click();
    void ListView1_Click();
    void ListView1_DblClick();
    void Command6_Click();

    // ---- monitor: timed and loop queries, change detection, notice, update check ----
    void Command8_Click();
    void Command10_Click();
    void Command5_Click();
    void Command11_Click();
    void Timer4_Timer();
    void Timer5_Timer();
    void Timer6_Timer();
    void gxtj();
    void emailgx();
    void Timer3_Timer();
    void Combo5_Click();

    // ==== members added by the store subsystem (saved parcels, settings, list, balloon) ====
    // Lines of the saved-parcel file that are not parcels: not listed, written back after them.
    QStringList savedOtherLines;
    // False after a write of the saved-parcel file failed: the lists are then newer than the file.
    bool savedFileWritten = true;
    // Set by the query commands: cx queries the chosen parcel, which is saved already.
    bool queryOfChosenParcel = false;
    // Writes the line list and the other lines in one step; a failure is told on the status line.
    bool writeSavedList();
    // Replaces both lists by the file, unless its last write failed (the lists are newer then).
    void reloadSavedLists();
    // Re-enables Command1 and says why when an answer starts no parse.
    void endQueryWithoutParse(const QString &status);
    // Clicks on the progress list, its empty area included, reach ListView1_Click / _DblClick.
    void connectListClicks();
    // ==== end of store members ====

    // ==== members added by the monitor subsystem (start-up, update check, timers, notices) ====
    Skin *skin = nullptr; // created by prepareSkin
    // Queries started by the timed and the loop function (each one a pick of the watched parcel).
    int automaticQueries = 0;
    // The parcel the row count in intLastRows belongs to: only a re-query of that same parcel is
    // compared with it.
    QString countedNumber, countedCom;
    // Text1, Combo1, Command3, Command13, Command9, Command7 and Command2: locked while a timed
    // query is armed or a loop runs, so the watched parcel cannot change.
    void setLockedSetEnabled(bool enabled);
    void automaticQuery();
    bool updateChecked = false; // the version check runs once per start
    // ==== end of monitor members ====

    // ==== members added by the export, finder and outlet subsystems ====
    // ==== end of export, finder and outlet members ====

    // ==== members added by the window frame (painting, mouse, column lock) ====
    QImage Image10; // frame skin, 13 x 101
    QImage Image9; // title-bar button sprites, 70 x 69
    QImage Image8; // title banner, 160 x 32
    void Form_Paint();
    void Form_MouseMove(Qt::MouseButtons Button, double X, double Y);
    void Form_MouseDown(Qt::MouseButton Button, double X, double Y);
    void Form_MouseUp(Qt::MouseButton Button, double X, double Y);
    void Form_KeyDown(int KeyCode); // a Qt::Key
    void Picture3_MouseDown(Qt::MouseButton Button);
    void Picture4_MouseDown(Qt::MouseButton Button);
    void Picture5_MouseDown(Qt::MouseButton Button);
    void Label16_MouseMove();
    void Label16_MouseDown(Qt::MouseButton Button);
    void Command2_Click();
    void Command15_Click();

private:
    // The looks last drawn over the title-bar buttons, as source rectangles of Image9.
    QRect m_minimiseSprite, m_closeSprite;
    void showButtonLooks(const QRect &minimise, const QRect &close);
    // Moving the window or a panel by following the mouse, where the platform has no move of its own.
    QPointF m_pressGlobal;
    bool m_windowDrag = false;
    QPointF m_windowDragOffset;
    QWidget *m_dragPanel = nullptr;
    QPointF m_panelDragOffset;
    void startWindowMove();
    void startPanelDrag(QWidget *panel);
    bool panelMouseEvent(QWidget *panel, QEvent *event);

public:
    // ==== end of window frame members ====

    // ---- helpers shared by the subsystems ----
    Platform &platform() { return m_platform; }
    QString savedFilePath() const; // wlnum.ini
    QString settingsFilePath() const; // parcelvue.ini
    int columnByKey(const QString &key) const; // list column of "xh", "sj" or "wl"
    MsgAnswer message(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::Information);
    void setStatus(const QString &text) { setCaption(Label11[2], text); }
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

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildAddPanel();
    void buildSettingsPanel();
    void buildOperationPanel();
    void buildTimers();
    // Each subsystem connects the signals of its own controls to its handlers.
    void connectCore();
    void connectWindow();
    void connectStore();
    void connectMonitor();
    void connectExtras(); // export, carrier finder, outlet lookup

    Platform &m_platform;
    int m_waitDepth = 0;
    std::vector<void (Form1::*)()> m_deferredTicks;
    bool m_closing = false;
};
