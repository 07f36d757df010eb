#pragma once

#include "core/number_finder.h"

#include <QSet>
#include <QString>
#include <optional>

// A number offered from what the user copied: only a short text, only one number the finder is
// confident of, only one that is not saved and was not offered before. Nothing else of the text is
// kept.

constexpr int kClipboardTextLimit = 2000;

// The number the copied text offers, if any. `known` holds the saved numbers and those offered
// already, as numberForGuess writes them.
std::optional<NumberCandidate> clipboardOffer(const QString &text, const QSet<QString> &known);

// "添加快递 SF1234567890123 (顺丰快递)?", without the carrier when the number fits none for sure.
QString clipboardOfferText(const NumberCandidate &candidate);

// The carrier to choose for the number: the finder's first guess, or -1.
int offeredCarrier(const NumberCandidate &candidate);
