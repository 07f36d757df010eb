#include "gui/mailscan/clipboard_watch.h"

#include "desktop/desktop_notifier.h"
#include "gui/window/main_window.h"
#include "mailscan/clipboard_offer.h"
#include "mailscan/mail_scan.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {
const QString kOfferId = QStringLiteral("clipboard");
const QString kAddAction = QStringLiteral("add");
const QString kIgnoreAction = QStringLiteral("ignore");
} // namespace

ClipboardWatch::ClipboardWatch(MainWindow &window, DesktopNotifier &notifier, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_notifier(notifier)
{
    connect(&m_notifier, &DesktopNotifier::offerChosen, this, &ClipboardWatch::onOfferChosen);
}

void ClipboardWatch::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (on)
        connect(clipboard, &QClipboard::dataChanged, this,
                [this, clipboard] { readCopiedText(clipboard->text()); });
    else
        disconnect(clipboard, nullptr, this, nullptr);
}

void ClipboardWatch::readCopiedText(const QString &text)
{
    if (!m_enabled)
        return;
    const auto offer = clipboardOffer(text, m_offered + savedNumbers(m_window.savedLines()));
    if (!offer)
        return;
    m_offered.insert(offer->number);
    m_number = offer->number;
    m_carrier = offeredCarrier(*offer);
    m_notifier.offer(
        {kOfferId, clipboardOfferText(*offer), {{kAddAction, tr("添加")}, {kIgnoreAction, tr("忽略")}}});
}

void ClipboardWatch::onOfferChosen(const QString &id, const QString &action)
{
    if (id != kOfferId || action != kAddAction || m_number.isEmpty())
        return;
    m_window.openAddPanel(m_number, m_carrier);
}
