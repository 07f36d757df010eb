#include "core/answer_parser.h"
#include "core/delivery_status.h"
#include "core/shown_text.h"
#include "core/tracking_check.h"
#include "literal_answer_parse.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {
QString row(const QString &time, const QString &step)
{
    return QStringLiteral("<tr><td>") + time + QStringLiteral("</td><td>") + step
        + QStringLiteral("</td></tr>");
}

QString answer(const QStringList &rows)
{
    return QStringLiteral("<table><tr><th>时间</th><th>进度</th></tr>") + rows.join(QString())
        + QStringLiteral("</table>");
}

std::vector<ProgressRow> parse(const QString &text)
{
    ParseState state;
    return parseAnswerRows(text, countAnswerRows(text), state);
}
} // namespace

TEST(AnswerParser, ListsNewestFirst)
{
    const auto rows = parse(answer({row("2024-01-01 08:00:00", "揽收"), row("2024-01-02 09:00:00", "到达"),
                                    row("2024-01-03 10:00:00", "派件")}));
    ASSERT_EQ(rows.size(), 3u);
    const char *expected[][3] = {{"1", "2024-01-03 10:00:00", "派件"},
                                 {"2", "2024-01-02 09:00:00", "到达"},
                                 {"3", "2024-01-01 08:00:00", "揽收"}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].number, QString::fromUtf8(expected[i][0]));
        EXPECT_EQ(rows[i].time, QString::fromUtf8(expected[i][1]));
        EXPECT_EQ(rows[i].progress, QString::fromUtf8(expected[i][2]));
    }
}

TEST(AnswerParser, CountsRows)
{
    EXPECT_EQ(countAnswerRows(QString()), 0);
    EXPECT_EQ(countAnswerRows(QStringLiteral("NULL")), 0);
    EXPECT_EQ(countAnswerRows(answer({row("a", "b")})), 1);
    EXPECT_EQ(countAnswerRows(QStringLiteral("<tr><td><tr><td>")), 2);
    EXPECT_EQ(countAnswerRows(QStringLiteral("<TR><TD>x")), 0);
}

// Malformed answers give exactly what the row-by-row cutting gives.
TEST(AnswerParser, MalformedPieces)
{
    struct Case
    {
        const char *name;
        QString text;
        int rowCount;
        std::vector<std::pair<QString, QString>> rows; // time, progress; newest first
    } cases[] = {
        {"no cell break in a row: empty time and step",
         QStringLiteral("<tr><td>no break</td></tr></table>"),
         1,
         {{QString(), QString()}}},
        {"text after the table stays in the last progress",
         QStringLiteral("<tr><td>t</td><td>p</td></tr></table></body>"),
         1,
         {{QStringLiteral("t"), QStringLiteral("p</body>")}}},
        {"'<' is dropped from the time",
         QStringLiteral("<tr><td>1<2</td><td>p</td></tr></table>"),
         1,
         {{QStringLiteral("12"), QStringLiteral("p")}}},
        {"more rows asked than present keep the previous values",
         QStringLiteral("<tr><td>t</td><td>p</td></tr></table>"),
         2,
         {{QString(), QStringLiteral("p")}, {QStringLiteral("t"), QStringLiteral("p")}}},
        {"empty answer", QString(), 1, {{QString(), QString()}}},
        {"a third cell shifts the progress cells",
         QStringLiteral("<tr><td>t1</td><td>p1</td><td>x</td></tr><tr><td>t2</td><td>p2</td></tr></table>"),
         2,
         {{QStringLiteral("t2"), QStringLiteral("t2</td>")},
          {QStringLiteral("t1"), QStringLiteral("p1</td>")}}},
    };
    for (const Case &c : cases) {
        ParseState state;
        const auto rows = parseAnswerRows(c.text, c.rowCount, state);
        ASSERT_EQ(rows.size(), c.rows.size()) << c.name;
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].time, c.rows[i].first) << c.name << " row " << i;
            EXPECT_EQ(rows[i].progress, c.rows[i].second) << c.name << " row " << i;
        }
        EXPECT_EQ(state.cellIndex, 2 * c.rowCount) << c.name;
    }
}

TEST(AnswerParser, LinearOnLargeAnswers)
{
    QStringList rows;
    for (int i = 0; i < 5000; ++i)
        rows.append(row(QStringLiteral("2024-01-01 00:00:%1").arg(i % 60, 2, 10, QLatin1Char('0')),
                        QStringLiteral("第%1站").arg(i)));
    const auto parsed = parse(answer(rows));
    ASSERT_EQ(parsed.size(), 5000u);
    EXPECT_EQ(parsed.front().number, QStringLiteral("1"));
    EXPECT_EQ(parsed.front().progress, QStringLiteral("第4999站"));
    EXPECT_EQ(parsed.back().number, QStringLiteral("5000"));
    EXPECT_EQ(parsed.back().progress, QStringLiteral("第0站"));
}

// The fast cutting gives the same rows and state as the plain split-and-remove one, on answers
// that stress its shortcuts: markers at the ends, nested and joined markers, '<' everywhere.
TEST(AnswerParser, SameAsLiteralCutting)
{
    const QString tricky[] = {
        QStringLiteral("<tr><td>t</td><td>p</td></tr></table>"),
        QStringLiteral("<tr><td>t</td><td>p</td></tr><tr></table>"),
        QStringLiteral("<tr><td>t</td><td>p</td></td></tr><tr></tr></table>"),
        QStringLiteral("<tr><td>t</td><td>p</td></tr></table></td></tr></table>"),
        QStringLiteral("<tr><td>t</td><td>p<</td></tr><tr><td>u</td><td></td></tr><tr>"),
        QStringLiteral("<tr><tr><td><td><td>"),
        QStringLiteral("<td><tr><td></td><td></td><td>"),
        QStringLiteral("<<tr><td>>1<2</td><td><td>3</td></tr></table"),
        QStringLiteral("<tr><td>"),
        QStringLiteral("<td>"),
        QStringLiteral("<"),
        QStringLiteral("x<tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>"),
    };
    const QString fragments[] = {QStringLiteral("<tr>"),  QStringLiteral("<td>"),     QStringLiteral("</td>"),
                                 QStringLiteral("</tr>"), QStringLiteral("</table>"), QStringLiteral("<"),
                                 QStringLiteral("时"),    QStringLiteral("a")};
    QStringList answers(std::begin(tricky), std::end(tricky));
    QRandomGenerator random(20241208);
    for (int n = 0; n < 2000; ++n) {
        QString text;
        const int length = random.bounded(40);
        for (int k = 0; k < length; ++k)
            text += fragments[random.bounded(8)];
        answers.append(text);
    }
    for (const QString &text : answers) {
        for (const int extra : {0, 1, 3}) {
            const int rowCount = countAnswerRows(text) + extra;
            ASSERT_EQ(rowCount - extra, static_cast<int>(text.count(QStringLiteral("<tr><td>"))))
                << qPrintable(text);
            ParseState fast, literal;
            // Two parses in a row, as the window does when a saved number is queried again.
            for (int pass = 0; pass < 2; ++pass) {
                const auto got = parseAnswerRows(text, rowCount, fast);
                const auto want = literalAnswerRows(text, rowCount, literal);
                ASSERT_EQ(got.size(), want.size()) << qPrintable(text);
                for (size_t i = 0; i < got.size(); ++i) {
                    ASSERT_EQ(got[i].number, want[i].number) << qPrintable(text);
                    ASSERT_EQ(got[i].time, want[i].time) << qPrintable(text) << " row " << i;
                    ASSERT_EQ(got[i].progress, want[i].progress) << qPrintable(text) << " row " << i;
                }
                ASSERT_EQ(fast.timeCell, literal.timeCell) << qPrintable(text);
                ASSERT_EQ(fast.stepCell, literal.stepCell) << qPrintable(text);
                ASSERT_EQ(fast.cellIndex, literal.cellIndex) << qPrintable(text);
            }
        }
    }
}

TEST(DeliveryStatus, FromNewestProgressText)
{
    struct Case
    {
        const char *text;
        const char *status;
    } cases[] = {
        {"已签收,签收人:本人", "已签收"},
        {"妥投", "已签收"},
        {"派件员正在派件", "派件中"},
        {"派件中,已签收", "已签收"},
        {"到达转运中心", "运送中"},
        {"", "运送中"},
        // Refused, waiting, not signed for, returned: never signed for.
        {"收件人拒签", "运送中"},
        {"快件待签收", "运送中"},
        {"派送中,未签收", "派件中"},
        {"签收失败,改日派送", "派件中"},
        {"收件人拒收", "运送中"},
        {"快件退回,已签收", "运送中"},
        {"拒签后已签收", "已签收"},
        {"已退回妥投", "运送中"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(deliveryStatusOf(QString::fromUtf8(c.text)), QString::fromUtf8(c.status)) << c.text;
}

TEST(DeliveryStatus, TheServicesOwnNotDeliveredStatusWinsOverTheRow)
{
    const struct
    {
        const char *service, *meaning, *newest, *status;
    } cases[] = {
        {"exception", "问题件：拒收（退件）", "退货已签收", "问题件：拒收（退件）"},
        {"exception", "", "已签收", "问题件"},
        {"available_for_pickup", "到达待取", "已签收", "待取件"},
        {"delivery_failure", "投递失败：无人签收", "派件员派送", "派送失败：无人签收"},
        {"in_transit", "", "签收人已出发", "运送中"},
        {"in_transit", "", "派件中", "派件中"},
        {"delivered", "", "交给本人（已签收）", "已签收"},
        {"", "", "已签收", "已签收"},
    };
    for (const auto &c : cases) {
        HttpResult result;
        result.serviceStatus = QString::fromLatin1(c.service);
        result.serviceStatusText = QString::fromUtf8(c.meaning);
        const QString newest = QString::fromUtf8(c.newest);
        EXPECT_EQ(answerStatus(result, deliveryStatusOf(newest)), QString::fromUtf8(c.status)) << c.newest;
    }
}

TEST(DeliveryStatus, TransitTimes)
{
    const QDateTime now = QDateTime::fromString(QStringLiteral("2024-03-10 12:00:00"), "yyyy-MM-dd HH:mm:ss");
    struct Case
    {
        const char *oldest;
        const char *text;
    } cases[] = {
        {"2024-03-09 09:54:57", "1天2小时5分"},
        {"2024-03-09 09:55", "1天2小时5分"},
        {"2024/3/9 9:54:57", "1天2小时5分"},
        {"2024-03-09T09:54:57", "1天2小时5分"},
        {"2024-03-10 12:00:00", "0天0小时0分"},
        {"2024-03-11 14:05:00", "-1天-2小时-5分"},
        {"昨天上午", "0天0小时0分"},
        {"", "0天0小时0分"},
        {"2024-02-30 10:00:00", "0天0小时0分"},
    };
    for (const Case &c : cases) {
        const qint64 seconds = secondsSince(QString::fromUtf8(c.oldest), now);
        EXPECT_EQ(transitTimeText(seconds), QString::fromUtf8(c.text)) << c.oldest;
        // Without a translation the shown text is the stored one.
        EXPECT_EQ(shownTransitTime(seconds), QString::fromUtf8(c.text)) << c.oldest;
    }
    for (const char *text :
         {"已签收", "问题件", "查询服务繁忙,稍后再查 (HTTP 503)", "未查询到物流信息!", "其他"}) {
        EXPECT_EQ(shownStatus(QString::fromUtf8(text)), QString::fromUtf8(text));
        EXPECT_EQ(shownVerdict(QString::fromUtf8(text)), QString::fromUtf8(text));
    }
}
