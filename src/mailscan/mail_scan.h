#pragma once

#include "core/number_finder.h"
#include "mailscan/mail_text.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <vector>

// Tracking numbers found in mails, with what the user needs to choose: who sent the mail, its
// subject and date, the sentence, and a note to save the parcel under.

struct FoundNumber
{
    NumberCandidate candidate;
    QString sender;
    QString subject;
    QDateTime date;
    QString note; // the shop's name, or the subject, shortened
};

// The longest note made from a mail.
constexpr int kMailNoteLength = 24;

// What a scan collects, mail by mail, each number with at least one carrier: numbers in `saved` (as
// numberForGuess writes them) and numbers already found are left out; mails dated before `since` (when valid)
// are skipped.
class MailScan
{
public:
    MailScan(QSet<QString> saved, QDateTime since);

    // Reads one mail; returns how many new numbers it gave.
    int add(const QByteArray &raw);
    int add(const MailText &mail);

    int mailsRead() const { return m_mailsRead; }
    const std::vector<FoundNumber> &found() const { return m_found; }

private:
    QSet<QString> m_known;
    QDateTime m_since;
    int m_mailsRead = 0;
    std::vector<FoundNumber> m_found;
};

// The numbers of saved lines as the finder writes them, for MailScan's `saved`.
QSet<QString> savedNumbers(const QStringList &savedLines);

// The saved lines for found numbers the user chose: the carrier is the first guess, the note the
// found one (which the user may have changed).
QStringList savedLinesFor(const std::vector<FoundNumber> &chosen);

// The note for a parcel from a mail: the sender's display name unless it is only an address or a
// no-reply name, otherwise the subject; at most kMailNoteLength characters.
QString noteFromMail(const MailText &mail);
