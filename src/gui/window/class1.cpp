#include "gui/window/class1.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

// The balloon itself: a rounded box with a tail at its top left pointing at the spot it belongs to.
class Class1::Balloon : public QWidget
{
public:
    static constexpr int kTail = 10;
    static constexpr int kTailX = 18;
    static constexpr int kRadius = 8;
    static constexpr int kMaxTextWidth = 420;

    explicit Balloon(QWidget *parent)
        : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
    {
        setObjectName(QStringLiteral("balloon"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        m_title = new QLabel(this);
        m_title->setObjectName(QStringLiteral("balloonTitle"));
        m_title->setTextFormat(Qt::PlainText);
        QFont bold = m_title->font();
        bold.setBold(true);
        m_title->setFont(bold);
        m_body = new QLabel(this);
        m_body->setObjectName(QStringLiteral("balloonText"));
        m_body->setTextFormat(Qt::PlainText);
        // Long progress texts wrap instead of running off the screen.
        m_body->setWordWrap(true);
        m_body->setMaximumWidth(kMaxTextWidth);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(10, kTail + 8, 10, 8);
        layout->setSpacing(4);
        layout->addWidget(m_title);
        layout->addWidget(m_body);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
        colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
        setPalette(colours);
    }

    void setTexts(const QString &title, const QString &text)
    {
        m_title->setText(title);
        m_title->setVisible(!title.isEmpty());
        // Line ends as the caller wrote them ("\r\n") become the label's line breaks.
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        m_body->setText(shown);
        setAccessibleName(title);
        setAccessibleDescription(shown);
        adjustSize();
        setMask(QRegion(outline().toFillPolygon().toPolygon()));
    }

    QString shownTitle() const { return m_title->text(); }
    QString shownText() const { return m_body->text(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(palette().color(QPalette::Window));
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
        painter.drawPath(outline());
    }

private:
    QPainterPath outline() const
    {
        QPainterPath box;
        box.addRoundedRect(QRectF(0.5, kTail + 0.5, width() - 1.0, height() - kTail - 1.0), kRadius, kRadius);
        QPainterPath tail;
        tail.moveTo(kTailX, kTail + 1.0);
        tail.lineTo(kTailX, 0.5);
        tail.lineTo(kTailX + kTail * 1.5, kTail + 1.0);
        tail.closeSubpath();
        return box.united(tail);
    }

    QLabel *m_title;
    QLabel *m_body;
};

Class1::Class1(QObject *parent)
    : QObject(parent)
{
    m_rest.setSingleShot(true);
    m_rest.setInterval(kRestMs);
    connect(&m_rest, &QTimer::timeout, this, [this] {
        // Only while the mouse is still over the control.
        if (m_watched && m_watched->rect().contains(m_watched->mapFromGlobal(QCursor::pos())))
            showBalloon();
    });
    m_expire.setSingleShot(true);
    m_expire.setInterval(kShowMs);
    connect(&m_expire, &QTimer::timeout, this, &Class1::hideBalloon);
}

Class1::~Class1()
{
    delete m_balloon;
}

void Class1::ParentControl(QWidget *control)
{
    m_parent = control;
}

void Class1::ToolTipTitle(const QString &title)
{
    m_title = title;
    if (m_balloon)
        m_balloon->setTexts(m_title, m_text);
}

void Class1::ToolTipText(const QString &text)
{
    m_text = text;
    if (m_balloon)
        m_balloon->setTexts(m_title, m_text);
}

void Class1::Create()
{
    m_rest.stop();
    m_expire.stop();
    delete m_balloon;
    watch(m_watched, false);
    m_watched = m_parent;
    if (!m_parent)
        return;
    watch(m_parent, true);
    m_balloon = new Balloon(m_parent);
    m_balloon->setTexts(m_title, m_text);
    showBalloon();
}

QWidget *Class1::balloon() const
{
    return m_balloon;
}

void Class1::watch(QWidget *control, bool on)
{
    if (!control)
        return;
    QList<QObject *> watched {control};
    // A scrolling control gets its mouse presses on its viewport.
    if (auto *area = qobject_cast<QAbstractScrollArea *>(control))
        watched.append(area->viewport());
    for (QObject *object : watched) {
        if (on)
            object->installEventFilter(this);
        else
            object->removeEventFilter(this);
    }
}

bool Class1::eventFilter(QObject *watched, QEvent *event)
{
    if (m_balloon && m_watched) {
        switch (event->type()) {
        case QEvent::Enter:
            if (watched == m_watched && !m_balloon->isVisible())
                m_rest.start();
            break;
        case QEvent::Leave:
            if (watched == m_watched)
                hideBalloon();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            hideBalloon();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void Class1::showBalloon()
{
    if (!m_balloon || !m_watched)
        return;
    QPoint anchor = m_watched->mapFromGlobal(QCursor::pos());
    if (!m_watched->rect().contains(anchor))
        anchor = m_watched->rect().center();
    const QPoint tip = m_watched->mapToGlobal(anchor);
    QPoint topLeft(tip.x() - Balloon::kTailX, tip.y() + 2);
    if (const QScreen *screen = m_watched->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(qBound(area.left(), topLeft.x(), qMax(area.left(), area.right() - m_balloon->width())));
        topLeft.setY(qBound(area.top(), topLeft.y(), qMax(area.top(), area.bottom() - m_balloon->height())));
    }
    m_balloon->move(topLeft);
    m_balloon->show();
    m_balloon->raise();
    m_expire.start();
}

void Class1::hideBalloon()
{
    m_rest.stop();
    m_expire.stop();
    if (m_balloon)
        m_balloon->hide();
}
