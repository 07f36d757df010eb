#include "monitor/mail_message.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {
const QString kUser = QStringLiteral("notice@parcelvue.localhost");

MailMessage sampleMail()
{
    MailMessage mail;
    mail.from = kUser;
    mail.to = QStringLiteral("watcher@example.localhost");
    mail.subject = QStringLiteral("您的快递【衣服】有最新动态 - LumetraParcelvue");
    mail.htmlBody = QStringLiteral("<p>到达【北京】转运中心 &amp; 派件</p>");
    return mail;
}

// Decodes the words the encoder wrote, so the tests can check they carry the text whole.
QString decodeWords(const QByteArray &header)
{
    QByteArray bytes;
    for (QByteArray word : header.split(' ')) {
        word = word.trimmed();
        if (!word.startsWith("=?UTF-8?B?") || !word.endsWith("?="))
            return QStringLiteral("<not an encoded word: %1>").arg(QString::fromLatin1(word));
        bytes += QByteArray::fromBase64(word.mid(10, word.size() - 12));
    }
    return QString::fromUtf8(bytes);
}
} // namespace

TEST(MailHeader, EncodesWordsOfAtMost75CharactersOnCharacterBoundaries)
{
    const QString cases[] = {
        QStringLiteral("您的快递【】有最新动态 - LumetraParcelvue"),
        QStringLiteral("您的快递【一件很长的备注：冬季羽绒服两件、围巾一条、手套三副、帽子】有最新动态 - "
                       "LumetraParcelvue"),
        QStringLiteral("Café 😀 €"),
        QStringLiteral("line\r\nBcc: someone@else"),
        QStringLiteral("=?UTF-8?B?looks encoded?="),
    };
    for (const QString &text : cases) {
        const QByteArray encoded = encodeHeaderText(text);
        for (const QByteArray &line : encoded.split('\n')) {
            EXPECT_LE(line.trimmed().size(), 75) << text.toStdString();
        }
        EXPECT_FALSE(encoded.contains("\r\nB")) << "a line break must not start a header line";
        EXPECT_EQ(decodeWords(QByteArray(encoded).replace("\r\n", "")), text);
    }
    EXPECT_EQ(encodeHeaderText(QStringLiteral("Plain subject")), QByteArray("Plain subject"));
}

TEST(MailHeader, MessageIdOnTheSendersDomainAndSubjectLinesWithin76)
{
    const struct
    {
        const char *sender;
        const char *domain;
        QString subject;
    } cases[] = {
        {"notice@parcelvue.localhost", "parcelvue.localhost",
         QStringLiteral("您的快递【衣服】有最新动态 - LumetraParcelvue")},
        {"alerts@mail.example.com", "mail.example.com",
         QStringLiteral("您的快递【】有最新动态 - LumetraParcelvue")},
        {"alerts@mail.example.com", "mail.example.com",
         QStringLiteral(
             "您的快递【冬季羽绒服两件、围巾一条、手套三副、帽子一顶】有最新动态 - LumetraParcelvue")},
        {"a@b", "b", QStringLiteral("é")},
    };
    QSet<QString> ids;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.subject.toStdString());
        MailMessage mail = sampleMail();
        mail.from = QString::fromLatin1(c.sender);
        mail.subject = c.subject;
        const QStringList lines = QString::fromLatin1(composeMail(mail)).split(QStringLiteral("\r\n"));
        const QStringList id = lines.filter(
            QRegularExpression(QStringLiteral("^Message-ID: <[A-Za-z0-9.!#$%&'*+/=?^_`{|}~-]+@")
                               + QRegularExpression::escape(QLatin1String(c.domain)) + QStringLiteral(">$")));
        ASSERT_EQ(id.size(), 1) << lines.join(QLatin1Char('\n')).toStdString();
        ids.insert(id[0]);

        qsizetype line = lines.indexOf(QRegularExpression(QStringLiteral("Subject: .*")));
        ASSERT_GE(line, 0);
        QByteArray words = lines[line].mid(9).toLatin1();
        EXPECT_LE(lines[line].size(), 76);
        while (lines[++line].startsWith(QLatin1Char(' '))) {
            EXPECT_LE(lines[line].size(), 76);
            words += lines[line].toLatin1();
        }
        EXPECT_EQ(decodeWords(words), c.subject);
    }
    EXPECT_EQ(ids.size(), std::size(cases)) << "every mail has its own id";
}

TEST(MailHeader, AddressThatCouldAddAHeaderIsRefused)
{
    const char *const addresses[] = {"a@b.c\r\nBcc: x@y.z", "a@b.c\nX: 1", "", "   "};
    for (const char *address : addresses) {
        MailMessage mail = sampleMail();
        mail.to = QString::fromLatin1(address);
        QString error;
        EXPECT_TRUE(composeMail(mail, &error).isEmpty()) << address;
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    const QByteArray mail = composeMail(sampleMail(), &error);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(mail.contains("\r\nTo: watcher@example.localhost\r\n"));
    EXPECT_TRUE(mail.contains("Content-Type: text/html; charset=UTF-8\r\n"));
    for (const QByteArray &line : mail.split('\n'))
        EXPECT_LE(line.size(), 998);
}
