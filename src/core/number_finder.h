#pragma once

#include "core/carrier_guess.h"

#include <QString>
#include <vector>

// Tracking numbers in a text a person reads: a shop's mail, a page copied to the clipboard.
//
// A number counts when its form is a carrier's (the guess table) and what stands around it says it
// is a waybill: the words shops use before it, a carrier's name in the same sentence, or a carrier's
// tracking link holding it. Order numbers, phone numbers, dates, amounts and numbers inside other
// links are left out.

struct NumberCandidate
{
    QString number; // as the guess reads it: ASCII, upper case, no blanks
    std::vector<CarrierGuess> carriers; // best first; the carrier named beside it leads
    QString sentence; // the sentence it stood in, shortened
    int confidence = 0; // 0 to 100
};

// Candidates below this are not returned; at or above kConfidentNumber a number may be offered on
// its own (the clipboard), where the mail import shows every candidate for the user to choose.
constexpr int kCandidateNumber = 50;
constexpr int kConfidentNumber = 75;

// The part of a longer text that is read; the rest is left unread.
constexpr int kFinderTextLimit = 4 * 1024 * 1024;

// Candidates in the order they first appear, each number once (its best reading).
std::vector<NumberCandidate> findTrackingNumbers(const QString &text);

// Whether the host of a link is a carrier's or a tracking site's, whose numbers in the link are
// tracking numbers.
bool isTrackingLinkHost(const QString &host);
