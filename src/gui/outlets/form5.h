#pragma once

#include "platform/http_client.h"

#include <QDialog>

struct Platform;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

// The outlet lookup window: asks a carrier's outlet search page for a name and shows six fields.
// Shown modally from the main window's link menu; shares nothing with the main window.
class Form5 : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 481;
    static constexpr int kClientHeight = 340;

    explicit Form5(Platform &platform, QWidget *parent = nullptr);

    QFrame *Frame13 = nullptr;
    QLabel *Label13 = nullptr;
    QLineEdit *Text1 = nullptr; // the name to look up
    QPushButton *Command1 = nullptr; // 查询
    QFrame *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr, *Frame5 = nullptr,
           *Frame6 = nullptr, *Frame7 = nullptr, *Frame8 = nullptr, *Frame9 = nullptr, *Frame10 = nullptr,
           *Frame11 = nullptr, *Frame12 = nullptr;
    // captions: Label1, Label3, Label5, Label7, Label9, Label11; values: the even ones
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr;
    QStatusBar *S1 = nullptr;
    QLabel *S1_1 = nullptr; // "提示："
    QLabel *S1_2 = nullptr; // the message panel

    QString strEncodedName;
    QString strPage;
    QString varOutletName, varManager, varOutletName2, varPhone, varDeliveryArea, strExcludedArea;

    // How long a lookup may wait for the page.
    int fetchTimeoutMs;

    bool lookupPending() const { return m_pending; }

    void Form_Load();
    void Command1_Click();
    void Label10_Click();
    void Form_QueryUnload();
    void csh();

    // Every way the window closes (the close button, Escape) ends here.
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setPanel(const QString &text);
    void showValues();
    void message(const QString &text);

    Platform &m_platform;
    // A connection of its own, so that closing the window aborts only its own lookup.
    HttpClient m_http;
    bool m_pending = false;
    bool m_abandoned = false; // closed while the lookup was pending
};
