#pragma once

#include "mailscan/mail_folder.h"
#include "mailscan/mail_scan.h"
#include "platform/imap_reader.h"

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>

class MainWindow;
class QCheckBox;
class QComboBox;
class QLabel;
class TrackingHistory;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QThread;
struct Platform;

// "从邮件导入": the tracking numbers in the user's own mail, read on this machine, offered in a table
// "找到的单号" for the user to choose; "添加所选" saves the checked ones as an import does. Reading runs
// on a thread of its own; the window stays responsive and the reading can be stopped.
class MailImportDialog : public QDialog
{
    Q_OBJECT

public:
    // `history` keeps where each IMAP folder's last scan stopped.
    MailImportDialog(Platform &platform, MainWindow &window, TrackingHistory &history,
                     QWidget *parent = nullptr);
    ~MailImportDialog() override;

    // The controls, for tests and assistive technology.
    QRadioButton *serverSource = nullptr; // "收件服务器": IMAP over TLS or STARTTLS
    QLineEdit *host = nullptr;
    QSpinBox *port = nullptr;
    QComboBox *security = nullptr;
    QLineEdit *login = nullptr;
    QLineEdit *password = nullptr;
    QLineEdit *mailbox = nullptr; // the folder, INBOX by default
    QRadioButton *folderSource = nullptr;
    QLineEdit *folderPath = nullptr;
    QPushButton *chooseFile = nullptr; // an mbox file
    QPushButton *chooseDirectory = nullptr; // a Maildir
    QSpinBox *days = nullptr;
    QPushButton *scan = nullptr;
    QProgressBar *progress = nullptr;
    QLabel *status = nullptr;
    QTableWidget *found = nullptr;
    QPushButton *addChosen = nullptr;
    QCheckBox *checkNewMail = nullptr; // "自动检查新邮件", every 30 minutes

    bool scanning() const { return m_thread != nullptr; }

    // Reads the mails and shows what they hold (after 开始读取).
    void startScan();
    // Shows numbers found elsewhere (the automatic check of new mail) to be chosen.
    void showFoundNumbers(const std::vector<FoundNumber> &numbers);

Q_SIGNALS:
    void scanFinished();
    // Lines were added to the saved list.
    void parcelsAdded(int count);

private:
    // What a reading hands back from its thread.
    struct Outcome
    {
        QString error;
        int mailsRead = 0;
        std::vector<FoundNumber> found;
    };
    // Reads on the worker thread; `progress` takes how many of how many (0: not known).
    using Reader = std::function<QString(const MailVisitor &visit, const std::atomic<bool> &stop,
                                         const std::function<void(int done, int total)> &progress)>;
    void startServerScan();
    void startServerScan(const ImapAccount &account, bool typedPassword);
    void updateSource();

    void runReader(Reader reader, QSet<QString> saved, QDateTime since);
    void onProgress(int read, int total);
    void onFinished(const Outcome &outcome);
    void showFound();
    void onAddChosen();
    void stopScan();

    Platform &m_platform;
    MainWindow &m_window;
    TrackingHistory &m_history;
    std::function<void()> m_afterScan; // what a successful scan of a server keeps
    QString m_caFile; // endpoints.ini's, for a private server
    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::vector<FoundNumber> m_found;
};
