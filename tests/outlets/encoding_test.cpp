#include "outlets/outlet_page.h"
#include "outlets/page_fetch.h"
#include "platform/text_codec.h"

#include <QByteArray>
#include <QUrl>
#include <gtest/gtest.h>

TEST(UrlEncoding, Table)
{
    const struct
    {
        QString in;
        QString out;
    } cases[] = {
        {QString(), QString()},
        {QStringLiteral("abc 1&2"), QStringLiteral("abc 1&2")},
        {QStringLiteral("%+=?#/"), QStringLiteral("%+=?#/")},
        {QStringLiteral("上海"), QStringLiteral("%E4%B8%8A%E6%B5%B7")},
        {QStringLiteral("北"), QStringLiteral("%E5%8C%97")},
        {QStringLiteral("a上b"), QStringLiteral("a%E4%B8%8Ab")},
        {QString(QChar(0x80)), QStringLiteral("%C2%80")},
        {QStringLiteral("é"), QStringLiteral("%C3%A9")},
        {QString(QChar(0xFF)), QStringLiteral("%C3%BF")}, // upper-case hex, never %c3%bf
        {QString(QChar(0x7FF)), QStringLiteral("%DF%BF")},
        {QString(QChar(0x800)), QStringLiteral("%E0%A0%80")},
        {QString(QChar(0xFFFF)), QStringLiteral("%EF%BF%BF")},
        {QStringLiteral("📦"), QStringLiteral("%F0%9F%93%A6")},
        {QString::fromUcs4(U"\U00010000"), QStringLiteral("%F0%90%80%80")},
        {QString::fromUcs4(U"\U0010FFFF"), QStringLiteral("%F4%8F%BF%BF")},
        {QStringLiteral("上📦海"), QStringLiteral("%E4%B8%8A%F0%9F%93%A6%E6%B5%B7")},
        // halves that make no pair keep the rule of single units
        {QString(QChar(0xD800)), QStringLiteral("%ED%A0%80")},
        {QString(QChar(0xDC00)), QStringLiteral("%ED%B0%80")},
        {QString(QChar(0xDC00)) + QChar(0xD800), QStringLiteral("%ED%B0%80%ED%A0%80")},
        {QString(QChar(0xD800)) + QLatin1Char('a'), QStringLiteral("%ED%A0%80a")},
    };
    for (const auto &c : cases) {
        const QString encoded = UTF8_URLEncoding(c.in);
        EXPECT_EQ(encoded.toStdString(), c.out.toStdString()) << c.in.toStdString();
        // Whatever a server decodes must be the text typed, for every well-formed text.
        if (!c.in.isEmpty() && !c.in.contains(QChar(0xD800)) && !c.in.contains(QChar(0xDC00))
            && !c.in.contains(QLatin1Char('%'))) {
            EXPECT_EQ(QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toLatin1())), c.in);
        }
    }
}

TEST(PageDecoding, HonoursTheDeclaredCharset)
{
    const QString text = QStringLiteral("网点名称：北京朝阳营业部");
    const QByteArray gbk = encodeGb(text);
    const QByteArray utf8 = text.toUtf8();
    const struct
    {
        const char *what;
        QByteArray contentType;
        QByteArray body;
        QString expected;
    } cases[] = {
        {"header gbk", "text/html; charset=gbk", gbk, text},
        {"header GB2312, quoted", "text/html; charset=\"GB2312\"", gbk, text},
        {"header utf-8", "text/html;charset=utf-8", utf8, text},
        {"meta charset", "text/html", "<meta charset=\"gbk\">" + gbk,
         QStringLiteral("<meta charset=\"gbk\">") + text},
        {"meta charset, single quotes", "", "<meta charset='gb2312'/>" + gbk,
         QStringLiteral("<meta charset='gb2312'/>") + text},
        {"http-equiv, upper case", "text/html",
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=GBK\">" + gbk,
         QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=GBK\">") + text},
        {"header wins over meta", "text/html; charset=utf-8", "<meta charset=\"gbk\">" + utf8,
         QStringLiteral("<meta charset=\"gbk\">") + text},
        {"unknown header charset, meta decides", "text/html; charset=x-nonsense", "<meta charset=gbk>" + gbk,
         QStringLiteral("<meta charset=gbk>") + text},
        {"meta claims utf-16", "", "<meta charset=\"utf-16\">" + utf8,
         QStringLiteral("<meta charset=\"utf-16\">") + text},
        {"nothing declared, valid UTF-8", "text/html", utf8, text},
        {"nothing declared, GBK bytes", "", gbk, text},
        {"Latin-1 declared", "text/plain; charset=iso-8859-1", "caf\xe9", QStringLiteral("café")},
        {"charset outside a meta tag is text", "", "<p>charset=utf-8</p>" + gbk,
         QStringLiteral("<p>charset=utf-8</p>") + text},
    };
    for (const auto &c : cases)
        EXPECT_EQ(decodePage(c.body, c.contentType).toStdString(), c.expected.toStdString()) << c.what;
}

namespace {
// A result page laid out as the carrier's: the doctype's ".dtd" holds the first "td", each value
// cell opens with nineteen characters after its "td" (the last with twenty).
QString resultPage(const QStringList &values)
{
    QString page = QStringLiteral("<!DOCTYPE html \"xhtml1.dtd\"><table><tr><td>head</td></tr>");
    for (int i = 0; i < values.size(); ++i) {
        page += QStringLiteral("<tr><td>caption</td>");
        page += (i < 5 ? QStringLiteral("<td bgcolor=\"#FFFFFF\">")
                       : QStringLiteral("<td bgcolor=\"#FFFFFF\" >"));
        page += values[i] + QStringLiteral("</td></tr>");
    }
    return page + QStringLiteral("</table>");
}

OutletFields fields(const QStringList &six)
{
    OutletFields out;
    for (int i = 0; i < 6; ++i)
        out[i] = six.value(i);
    return out;
}
} // namespace

TEST(OutletPage, CutsTheSixFields)
{
    const QStringList six
        = {QStringLiteral("北京朝阳营业部"), QStringLiteral("王建国"), QStringLiteral("朝阳区建国路"),
           QStringLiteral("010-6500"),       QStringLiteral("朝阳区"), QStringLiteral("通州区")};
    QStringList markup = six;
    markup[4] = QStringLiteral("<b>全区</b> &nbsp;派送 ");
    QStringList firstEmpty = six;
    firstEmpty[0].clear();
    QStringList withSlash = six;
    withSlash[1] = QStringLiteral("a</b<</c");
    const struct
    {
        const char *what;
        QString page;
        OutletFields expected;
    } cases[] = {
        {"the layout", resultPage(six), fields(six)},
        {"only \"</\" is removed; tags, entities and blanks stay", resultPage(markup),
         fields({six[0], six[1], six[2], six[3], QStringLiteral("<b>全区b> &nbsp;派送 "), six[5]})},
        {"\"</\" removed in one pass", resultPage(withSlash),
         fields({six[0], QStringLiteral("ab<c"), six[2], six[3], six[4], six[5]})},
        {"first field empty", resultPage(firstEmpty), fields(firstEmpty)},
        {"empty page", QString(), fields({})},
        {"upper-case TD is no separator", resultPage(six).replace(QStringLiteral("td"), QStringLiteral("TD")),
         fields({})},
        // 26 pieces: the last field's piece is missing, so nothing is taken from this layout
        {"one piece short", resultPage(six).section(QStringLiteral("td"), 0, 25), fields({})},
        {"27 pieces suffice", resultPage(six).section(QStringLiteral("td"), 0, 26), fields(six)},
        {"a piece shorter than the cut",
         QStringLiteral("td").repeated(6) + QStringLiteral("short") + QStringLiteral("td").repeated(21),
         fields({})},
    };
    for (const auto &c : cases) {
        const OutletFields got = cutOutletFields(c.page);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(got[i].toStdString(), c.expected[i].toStdString()) << c.what << ", field " << i + 1;
    }
}
