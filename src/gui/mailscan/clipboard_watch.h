#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class DesktopNotifier;
class MainWindow;

// Offers a tracking number the user copied: while on, each new clipboard text is read by the number
// finder, and one confident number that is not saved is offered in a notification ("添加快递 …?",
// 添加 and 忽略). 添加 opens the add panel filled in; nothing is added by itself. A number is offered
// once a run; the clipboard's text is not kept.
class ClipboardWatch : public QObject
{
    Q_OBJECT

public:
    ClipboardWatch(MainWindow &window, DesktopNotifier &notifier, QObject *parent = nullptr);

    void setEnabled(bool on);
    bool enabled() const { return m_enabled; }
    // Reads a copied text as the clipboard's change does.
    void readCopiedText(const QString &text);

private:
    void onOfferChosen(const QString &id, const QString &action);

    MainWindow &m_window;
    DesktopNotifier &m_notifier;
    bool m_enabled = false;
    QSet<QString> m_offered;
    QString m_number; // of the offer shown
    int m_carrier = -1;
};
