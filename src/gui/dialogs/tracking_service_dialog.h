#pragma once

#include "core/configuration.h"
#include "services/service_settings.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TrackingClient;
class TrackingQuery;
struct Platform;

// "查询服务": which tracking service the program asks and its keys, with a test query of a
// number the user gives. Saving writes [tracking] of endpoints.ini and puts the key into the
// secret store (into the file only when there is no store and the user agrees); the platform's
// endpoints follow, so the next query uses what was saved.
class TrackingServiceDialog : public QDialog
{
    Q_OBJECT

public:
    TrackingServiceDialog(Platform &platform, QWidget *parent = nullptr);
    ~TrackingServiceDialog() override;

    QComboBox *service = nullptr;
    QLineEdit *url = nullptr;
    QLineEdit *businessId = nullptr;
    QLineEdit *secret = nullptr;
    QLineEdit *testNumber = nullptr;
    QComboBox *testCarrier = nullptr;
    QPushButton *test = nullptr; // 测试
    QPushButton *save = nullptr; // 保存
    QPushButton *cancel = nullptr; // 取消
    QLabel *result = nullptr;
    QLabel *serviceUse = nullptr; // each service's use today and its last success and failure

    void setServiceUse(const QString &text);

Q_SIGNALS:
    // Saved: the settings are in the endpoints and the file.
    void saved();

private:
    void buildControls();
    void fill(const TrackingServiceSettings &settings);
    TrackingServiceSettings settings() const;
    void chooseService(int index);
    void fillStoredSecret();
    void runTest();
    void showQuota();
    void onSave();
    void finishSave(const TrackingServiceSettings &settings, SecretInFile key, const QString &note);
    void setBusy(bool busy);
    void tell(const QString &text);

    Platform &m_platform;
    TrackingService m_shown = TrackingService::Designed;
    bool m_secretEdited = false;
    QLabel *m_businessIdLabel = nullptr;
    QLabel *m_secretLabel = nullptr;
    QLabel *m_note = nullptr;
    Configuration m_testConfiguration; // what 测试 asks with
    std::unique_ptr<TrackingClient> m_testClient;
    TrackingQuery *m_testQuery = nullptr;
};
