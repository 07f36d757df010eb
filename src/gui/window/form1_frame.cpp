#include "gui/finder/form2.h"
#include "platform/paths.h"
#include "platform/url_opener.h"
#include "gui/window/form1.h"
#include "gui/window/frame_hit.h"
#include "gui/window/frame_paint.h"
#include "gui/window/module2.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QWindow>

namespace {
const QColor kLinkGrey(0xC0, 0xC0, 0xC0);
const QColor kLinkHover(0xFF, 0xFF, 0xFF);
} // namespace

void Form1::connectWindow()
{
    // Moves without a button pressed must reach the window, for the buttons' hover looks.
    setMouseTracking(true);

    const FramePictures pictures = FramePictures::load(platform().dataDir);
    Image10 = pictures.skin;
    Image9 = pictures.buttons;
    Image8 = pictures.banner;

    Label16->setMouseTracking(true);
    setLabelColor(Label16, kLinkGrey);
    const QPixmap cursor
        = QPixmap::fromImage(loadPng(assetPath(platform().dataDir, QStringLiteral("link_cursor.png"))));
    Label16->setCursor(cursor.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(cursor, 5, 0));
    Label16->installEventFilter(this);
    for (QWidget *panel : {static_cast<QWidget *>(Picture3), static_cast<QWidget *>(Picture4),
                           static_cast<QWidget *>(Picture5)})
        panel->installEventFilter(this);

    // F8 pastes the number wherever the focus is inside this window.
    auto *paste = new QShortcut(QKeySequence(Qt::Key_F8), this);
    paste->setObjectName(QStringLiteral("pasteNumber"));
    paste->setContext(Qt::WindowShortcut);
    connect(paste, &QShortcut::activated, this, [this] { Form_KeyDown(Qt::Key_F8); });

    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command15, &QPushButton::clicked, this, &Form1::Command15_Click);
}

void Form1::installColumnLock()
{
    // The headers stay buttons that report clicks, as in a report list; only their borders lock.
    ListView1->header()->setSectionsClickable(true);
    SubclassListView(ListView1);
}

void Form1::paintEvent(QPaintEvent *)
{
    Form_Paint();
    // The looks the mouse handlers asked for go over it: they draw at once, through this paint.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!m_minimiseLook.isNull())
        painter.drawImage(buttonOrigin(TitleButton::Minimise, width()), Image9, m_minimiseLook);
    if (!m_closeLook.isNull())
        painter.drawImage(buttonOrigin(TitleButton::Close, width()), Image9, m_closeLook);
    m_minimiseLook = m_closeLook = QRect();
}

void Form1::Form_Paint()
{
    QPainter painter(this);
    paintFrame(painter, width(), height(), {Image10, Image9, Image8});
}

void Form1::changeEvent(QEvent *event)
{
    // Back from the minimised state the window is painted anew, as the system would.
    if (event->type() == QEvent::WindowStateChange
        && (static_cast<QWindowStateChangeEvent *>(event)->oldState() & Qt::WindowMinimized)
        && !isMinimized())
        update();
    QWidget::changeEvent(event);
}

void Form1::showButtonLooks(const QRect &minimise, const QRect &close)
{
    m_minimiseLook = minimise;
    m_closeLook = close;
    const int SW = width();
    QRegion area;
    if (!minimise.isNull())
        area += QRect(buttonOrigin(TitleButton::Minimise, SW), minimise.size());
    if (!close.isNull())
        area += QRect(buttonOrigin(TitleButton::Close, SW), close.size());
    repaint(area);
}

void Form1::Form_MouseMove(Qt::MouseButtons, double X, double Y)
{
    const double SW = width();
    ButtonLook minimise = ButtonLook::Normal;
    ButtonLook close = ButtonLook::Normal;
    if (inButtonStrip(Y) && inMinimiseRange(X, SW))
        minimise = ButtonLook::Hover;
    else if (inButtonStrip(Y) && inCloseRange(X, SW))
        close = ButtonLook::Hover;
    showButtonLooks(spriteRect(TitleButton::Minimise, minimise), spriteRect(TitleButton::Close, close));
    setLabelColor(Label16, kLinkGrey);
}

void Form1::Form_MouseDown(Qt::MouseButton Button, double X, double Y)
{
    if (Button != Qt::LeftButton || Y > 68)
        return;
    switch (frameAreaAt(X, Y, width())) {
    case FrameArea::Minimise:
        showButtonLooks(spriteRect(TitleButton::Minimise, ButtonLook::Pressed), QRect());
        break;
    case FrameArea::Close:
        showButtonLooks(QRect(), spriteRect(TitleButton::Close, ButtonLook::Pressed));
        break;
    case FrameArea::DragBand:
    case FrameArea::None:
        startWindowMove();
        break;
    }
}

void Form1::Form_MouseUp(Qt::MouseButton, double X, double Y)
{
    if (!inButtonStrip(Y))
        return;
    if (inMinimiseRange(X, width()))
        showMinimized();
    else if (inCloseRange(X, width()))
        close();
}

void Form1::startWindowMove()
{
    QWindow *window = windowHandle();
    if (window && window->startSystemMove()) {
        m_systemMove = true;
        return;
    }
    // No window manager to move us (a bare X server): follow the mouse until the button is up.
    m_windowDrag = true;
    m_windowDragOffset = m_pressGlobal - QPointF(pos());
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (m_windowDrag && (event->buttons() & Qt::LeftButton)) {
        move((event->globalPosition() - m_windowDragOffset).toPoint());
        return;
    }
    m_windowDrag = false; // the release went elsewhere (a pop-up, a lost grab)
    Form_MouseMove(event->buttons(), event->position().x(), event->position().y());
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_windowDrag = false;
    m_systemMove = false; // its release never came here
    m_pressGlobal = event->globalPosition();
    Form_MouseDown(event->button(), event->position().x(), event->position().y());
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    // The release that ends the window manager's move belongs to the move: wherever it falls (the
    // window may have been held at a screen edge), it works no button.
    if (m_systemMove && event->button() == Qt::LeftButton) {
        m_systemMove = false;
        return;
    }
    if (m_windowDrag) {
        // The release ends the move, as the system's own move loop would swallow it.
        if (!(event->buttons() & Qt::LeftButton))
            m_windowDrag = false;
        return;
    }
    Form_MouseUp(event->button(), event->position().x(), event->position().y());
}

void Form1::Form_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_F8)
        return;
    // text() is empty when the clipboard holds no text (an image, nothing at all).
    Text3->setEditText(QApplication::clipboard()->text());
}

void Form1::startPanelDrag(QWidget *panel)
{
    m_dragPanel = panel;
    m_panelDragOffset = m_pressGlobal - QPointF(panel->pos());
}

void Form1::Picture3_MouseDown(Qt::MouseButton)
{
    startPanelDrag(Picture3);
}

void Form1::Picture4_MouseDown(Qt::MouseButton)
{
    startPanelDrag(Picture4);
}

void Form1::Picture5_MouseDown(Qt::MouseButton)
{
    startPanelDrag(Picture5);
}

bool Form1::panelMouseEvent(QWidget *panel, QEvent *event)
{
    auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressGlobal = mouse->globalPosition();
        if (panel == Picture3)
            Picture3_MouseDown(mouse->button());
        else if (panel == Picture4)
            Picture4_MouseDown(mouse->button());
        else
            Picture5_MouseDown(mouse->button());
        break;
    case QEvent::MouseMove: {
        if (m_dragPanel != panel || mouse->buttons() == Qt::NoButton)
            return false;
        // The panel stays wholly inside the window, so it can always be dragged back.
        const QPoint wanted = (mouse->globalPosition() - m_panelDragOffset).toPoint();
        const int x = qBound(0, wanted.x(), qMax(0, width() - panel->width()));
        const int y = qBound(0, wanted.y(), qMax(0, height() - panel->height()));
        panel->move(x, y);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (mouse->buttons() == Qt::NoButton)
            m_dragPanel = nullptr;
        break;
    default:
        return false;
    }
    event->accept();
    return true;
}

void Form1::Label16_MouseMove()
{
    setLabelColor(Label16, kLinkHover);
}

void Form1::Label16_MouseDown(Qt::MouseButton)
{
    platform().urls->open(platform().endpoints().home);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label16) {
        if (event->type() == QEvent::MouseMove) {
            event->accept();
            Label16_MouseMove();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            event->accept();
            Label16_MouseDown(static_cast<QMouseEvent *>(event)->button());
            return true;
        }
    } else if (watched == Picture3 || watched == Picture4 || watched == Picture5) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove
            || event->type() == QEvent::MouseButtonRelease)
            return panelMouseEvent(static_cast<QWidget *>(watched), event);
    }
    return QWidget::eventFilter(watched, event);
}

CarrierBoxes Form1::carrierBoxes()
{
    return {Combo1, Text5, [this] { Combo1_Click(); }, [this](const QString &text) { message(text); },
            [this](const QString &text) { setStatus(text); }};
}

void Form1::Command2_Click()
{
    Form2 dialog(carrierBoxes());
    dialog.exec();
}

void Form1::Command15_Click()
{
    Form2 dialog(carrierBoxes());
    dialog.exec();
}
