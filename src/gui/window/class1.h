#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QLabel;
class QWidget;

// A balloon-style hint with a title and a multi-line text over one control. Name the control, set
// the title and the text, then Create: the balloon shows at once and again whenever the mouse
// rests over the control. Every Create replaces the balloon of the previous one.
class Class1 : public QObject
{
    Q_OBJECT

public:
    explicit Class1(QObject *parent = nullptr);
    ~Class1() override;

    void ParentControl(QWidget *control);
    // Both take effect at once on a balloon already made; before Create they are kept for it.
    void ToolTipTitle(const QString &title);
    void ToolTipText(const QString &text);
    void Create();

    QWidget *parentControl() const { return m_parent; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }
    // The balloon made by the last Create; null before the first.
    QWidget *balloon() const;
    // How long the mouse must rest before the balloon shows, and how long it then stays.
    static constexpr int kRestMs = 500;
    static constexpr int kShowMs = 10000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *control, bool on);
    void showBalloon();
    void hideBalloon();

    QPointer<QWidget> m_parent;
    QPointer<QWidget> m_watched; // the control the current balloon belongs to
    QString m_title;
    QString m_text;
    class Balloon;
    QPointer<Balloon> m_balloon;
    QTimer m_rest;
    QTimer m_expire;
};
