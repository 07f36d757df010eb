#pragma once

#include <QString>
#include <vector>

// Which carriers of the catalogue a tracking number may belong to, from the number alone.

enum class GuessCertainty {
    Possible, // a format several carriers share, or a check digit that failed
    Certain, // a check digit that verifies, or a prefix only one carrier of the catalogue prints
};

struct CarrierGuess
{
    int position; // in the catalogue
    GuessCertainty certainty;
};

// How a rule tests the digits that protect a number against typing errors.
enum class NumberCheck {
    None,
    UpuS10, // two letters, 8 digits, check digit (mod 11), country; weights 8 6 4 2 3 5 9 7
    Ups, // "1Z", 15 letters or digits, check digit (mod 10, odd places once, even places twice)
    FedexExpress, // 12 digits, check digit: weights 1 3 7 from the right, mod 11, 10 counts as 0
    Mod10, // the last digit: weights 3 1 3 1 ... from the right, mod 10 (GS1, USPS, FedEx SSCC)
    FedexGround96, // "96" + 5 digits + a 15-digit FedEx Ground number that checks as Mod10
    Dhl, // 10 digits, the last is the first nine taken as a number mod 7
};

// What follows the rule's prefix up to its suffix.
enum class NumberBody {
    Digits,
    LettersOrDigits,
    UpuS10, // the whole number: two letters, nine digits, two letters
};

// One row of the table the guess is made from. The table is ranked: carriers of an earlier row
// come before those of a later one.
struct CarrierGuessRule
{
    const char *starts; // what the number starts with, alternatives separated by '|'; "" for any
    const char *ends; // what it ends with; "" for anything
    int minLength, maxLength; // of the whole number, blanks and dashes left out
    NumberBody body;
    NumberCheck check;
    // A failed check still leaves the carriers possible when the shape is theirs alone; otherwise
    // the row does not apply (a 12-digit number is no FedEx number because it has 12 digits).
    bool shapeIsTheirs;
    GuessCertainty certainty; // when the check verifies, or the row has none
    const char *carriers; // service codes of the catalogue, best first, separated by ' '
    const char *example; // a number of this form
    const char *source; // where the form is described
};

const std::vector<CarrierGuessRule> &carrierGuessRules();

// The number as the guess reads it: blanks and dashes left out, full-width letters and digits made
// ASCII, letters in upper case. The number the user typed stays as it is.
QString numberForGuess(const QString &number);

// The catalogue positions the number may belong to, best first; empty for an empty number or when
// no rule matches.
std::vector<CarrierGuess> guessCarriers(const QString &number);
