#pragma once

#include "mailscan/mail_folder.h"
#include "mailscan/mail_scan.h"

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>

class MainWindow;
class QLabel;
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
    MailImportDialog(Platform &platform, MainWindow &window, QWidget *parent = nullptr);
    ~MailImportDialog() override;

    // The controls, for tests and assistive technology.
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

    bool scanning() const { return m_thread != nullptr; }

    // Reads the mails and shows what they hold (after 开始读取).
    void startScan();

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
    using Reader = std::function<QString(const MailVisitor &visit, const std::atomic<bool> &stop)>;

    void runReader(Reader reader, QSet<QString> saved, QDateTime since);
    void onProgress(int read);
    void onFinished(const Outcome &outcome);
    void showFound();
    void onAddChosen();
    void stopScan();

    Platform &m_platform;
    MainWindow &m_window;
    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::vector<FoundNumber> m_found;
};
