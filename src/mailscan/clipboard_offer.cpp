#include "mailscan/clipboard_offer.h"

#include "core/carrier_catalogue.h"

#include <QCoreApplication>

std::optional<NumberCandidate> clipboardOffer(const QString &text, const QSet<QString> &known)
{
    if (text.size() > kClipboardTextLimit)
        return std::nullopt;
    std::optional<NumberCandidate> offer;
    for (NumberCandidate &candidate : findTrackingNumbers(text)) {
        if (candidate.confidence < kConfidentNumber)
            continue;
        // Two numbers in one copy: which one the user meant is theirs to say.
        if (offer)
            return std::nullopt;
        offer = std::move(candidate);
    }
    if (offer && known.contains(offer->number))
        return std::nullopt;
    return offer;
}

int offeredCarrier(const NumberCandidate &candidate)
{
    return candidate.carriers.empty() ? -1 : candidate.carriers.front().position;
}

QString clipboardOfferText(const NumberCandidate &candidate)
{
    const int carrier = offeredCarrier(candidate);
    if (carrier < 0)
        return QCoreApplication::translate("ClipboardOffer", "添加快递 %1?").arg(candidate.number);
    return QCoreApplication::translate("ClipboardOffer", "添加快递 %1 (%2)?")
        .arg(candidate.number, carrierShownName(carrier));
}
