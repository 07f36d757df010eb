#pragma once

#include <QString>
#include <array>

// One carrier: the name the user sees (and the saved-parcel file stores) and the code the
// tracking service knows it by.
struct Carrier
{
    const char *name; // UTF-8
    const char *code; // lower-case ASCII
};

constexpr int kCarrierCount = 127;
extern const std::array<Carrier, kCarrierCount> kCarriers;

// Position of the entry with exactly this display name, or -1.
int carrierIndexByName(const QString &displayName);
// Display name and service code at a position; empty outside 0..126.
QString carrierName(int position);
QString carrierCode(int position);
// The display name as the interface shows it, in its language (the stored name under Chinese);
// never stored or compared. A name the catalogue does not know is shown as it is.
QString carrierShownName(int position);
QString carrierShownName(const QString &storedName);
