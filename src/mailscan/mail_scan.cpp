#include "mailscan/mail_scan.h"

#include <utility>

MailScan::MailScan(QSet<QString> saved, QDateTime since)
    : m_known(std::move(saved))
    , m_since(std::move(since))
{ }

int MailScan::add(const QByteArray &raw)
{
    return add(readMail(raw));
}

int MailScan::add(const MailText &mail)
{
    if (m_since.isValid() && mail.date.isValid() && mail.date < m_since)
        return 0;
    ++m_mailsRead;
    int added = 0;
    for (NumberCandidate &candidate : findTrackingNumbers(mail.subject + QLatin1Char('\n') + mail.body)) {
        if (m_known.contains(candidate.number))
            continue;
        m_known.insert(candidate.number);
        m_found.push_back({std::move(candidate), mail.sender, mail.subject, mail.date, noteFromMail(mail)});
        ++added;
    }
    return added;
}

QString noteFromMail(const MailText &mail)
{
    const QString sender = mail.sender.trimmed();
    const QString lower = sender.toLower();
    const bool nameOnly = !sender.isEmpty() && !sender.contains(QLatin1Char('@'))
        && !lower.contains(QLatin1String("noreply")) && !lower.contains(QLatin1String("no-reply"))
        && !lower.contains(QLatin1String("no reply"));
    QString note = nameOnly ? sender : mail.subject.simplified();
    if (note.size() > kMailNoteLength) {
        // Cut between words where the text has spaces, so a note does not end in half a word.
        int cut = kMailNoteLength - 1;
        const int space = note.lastIndexOf(QLatin1Char(' '), cut);
        if (note.at(cut) != QLatin1Char(' ') && space > kMailNoteLength / 2)
            cut = space;
        note = note.left(cut).trimmed() + QChar(0x2026);
    }
    return note;
}
