#include "fault_support.h"

#include "platform/text_codec.h"

#include <QTreeWidget>
#include <thread>

namespace {
const QString kRefused = QStringLiteral("查询失败,无法连接查询服务器!");
const QString kTimedOut = QStringLiteral("查询超时,请稍后再试!");
const QString kServerError = QStringLiteral("查询失败,查询服务器返回错误!");
const QString kTooLarge = QStringLiteral("查询失败,查询结果过大!");
const QString kNoRows = QStringLiteral("未查询到物流信息!");
const QString kDone = QStringLiteral("查询完毕...");

const QString kProgress = QStringLiteral("快件已到达【杭州转运中心】");
QString goodAnswer()
{
    return QStringLiteral("<table><tr><th>时间</th><th>地点和跟踪进度</th></tr>"
                          "<tr><td>2024-01-02 08:00:00</td><td>")
        + kProgress + QStringLiteral("</td></tr></table>");
}

FaultyService stallsMidAnswer()
{
    return raw([](RawConnection &c) {
        if (c.readUntil("\r\n\r\n")
            && c.send(httpHead(200, "text/html; charset=utf-8", 5000) + "<table><tr><td>"))
            c.stall();
    });
}

// One byte at a time, each well inside the transfer time-out: only the overall bound stops it.
FaultyService trickles()
{
    return raw([](RawConnection &c) {
        if (!c.readUntil("\r\n\r\n") || !c.send(httpHead(200, "text/html", 100000)))
            return;
        for (int i = 0; i < 100 && c.send("<"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
    });
}

FaultyService resetsMidAnswer()
{
    return raw([](RawConnection &c) {
        if (!c.readUntil("\r\n\r\n"))
            return;
        c.send(httpHead(200, "text/html; charset=utf-8", 5000) + goodAnswer().left(60).toUtf8());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        c.reset();
    });
}

// The first rows in a chunk of their own, then an orderly close where the next chunk should come:
// without the last chunk the list would look complete with fewer rows.
FaultyService closesBetweenChunks()
{
    return raw([](RawConnection &c) {
        if (!c.readUntil("\r\n\r\n"))
            return;
        const QByteArray first = goodAnswer().toUtf8();
        c.send("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nTransfer-Encoding: chunked\r\n"
               "Connection: close\r\n\r\n"
               + QByteArray::number(first.size(), 16) + "\r\n" + first + "\r\n");
    });
}

FaultyService hugeAnswer()
{
    static const std::string body = [] {
        const std::string row
            = "<tr><td>2024-01-02 08:00:00</td><td>" + kProgress.toStdString() + "</td></tr>";
        std::string text = "<table>";
        text.reserve(20u * 1024 * 1024 + row.size());
        while (text.size() < 20u * 1024 * 1024)
            text += row;
        return text + "</table>";
    }();
    return answering([](httplib::Response &r) { r.set_content(body, "text/html; charset=utf-8"); });
}

FaultyService garbage()
{
    return answering([](httplib::Response &r) {
        std::string bytes;
        for (int i = 0; i < 4000; ++i)
            bytes += static_cast<char>(i % 3 ? 0xFF : 0x80); // no lead byte of UTF-8 or GBK
        r.set_content(bytes, "text/html");
    });
}

FaultyService gbkCalledUtf8()
{
    return answering([](httplib::Response &r) {
        r.set_content(encodeGb(goodAnswer()).toStdString(), "text/html; charset=utf-8");
    });
}

FaultyService utf8CalledGbk()
{
    return answering([](httplib::Response &r) {
        r.set_content(goodAnswer().toUtf8().toStdString(), "text/html; charset=gbk");
    });
}

FaultyService unknownCharset()
{
    return answering([](httplib::Response &r) {
        r.set_content(encodeGb(goodAnswer()).toStdString(), "text/html; charset=x-no-such-set");
    });
}

FaultyService errorPage(int status)
{
    return answering([status](httplib::Response &r) {
        r.status = status;
        // An error page full of the service's error words must not be read as an answer.
        r.set_content("<html><body><h1>Error</h1><p>NULL 不存在 请输入</p></body></html>",
                      "text/html; charset=utf-8");
    });
}

struct TrackingFault
{
    friend void PrintTo(const TrackingFault &fault, std::ostream *out) { *out << fault.name; }

    const char *name;
    FaultyService (*service)();
    QString status;
    bool rows; // the answer is good after all: its row is listed
    bool accepted; // no error word: a new number is saved
    int timeoutSeconds = 1; // 16 MiB take a while to arrive in a debug build
};

const TrackingFault kFaults[] = {
    {"Refused", refusing, kRefused, false, false},
    {"NeverAnswers", silent, kTimedOut, false, false},
    {"StallsMidAnswer", stallsMidAnswer, kTimedOut, false, false},
    {"Trickles", trickles, kTimedOut, false, false},
    {"ResetMidAnswer", resetsMidAnswer, kRefused, false, false},
    {"ClosedBetweenChunks", closesBetweenChunks, kRefused, false, false},
    {"Answer20MB", hugeAnswer, kTooLarge, false, false, 4},
    {"NeitherUtf8NorGbk", garbage, kNoRows, false, true},
    {"GbkLabelledUtf8", gbkCalledUtf8, kDone, true, true},
    {"Utf8LabelledGbk", utf8CalledGbk, kDone, true, true},
    {"UnknownCharset", unknownCharset, kDone, true, true},
    {"Http500", [] { return errorPage(500); }, kServerError, false, false},
    {"Http404", [] { return errorPage(404); }, kServerError, false, false},
};

enum class Command { NewNumber, SavedParcel };

class TrackingFaults : public ::testing::TestWithParam<std::tuple<TrackingFault, Command>>
{
};

TEST_P(TrackingFaults, UserToldWindowFreeNothingLost)
{
    const TrackingFault &fault = std::get<0>(GetParam());
    const Command command = std::get<1>(GetParam());
    FaultyService service = fault.service();
    WindowHarness h;
    h.test.editEndpoints([&](Endpoints &e) { e.trackingTimeoutSeconds = fault.timeoutSeconds; });
    Form1 &form = openWindow(h, service.baseUrl, savedBefore());

    const qint64 took = timed([&] {
        if (command == Command::NewNumber) {
            fillAddPanel(form, QStringLiteral("SF999"), QStringLiteral("顺丰快递"), QStringLiteral("新鞋"));
            form.Command1_Click();
        } else {
            choose(form, 1);
        }
    });
    EXPECT_LT(took, kHangBoundMs);
    ASSERT_TRUE(parseDone(form));

    EXPECT_TRUE(form.Command1->isEnabled());
    EXPECT_EQ(form.Label11[2]->text(), fault.status);
    EXPECT_TRUE(h.test.messages.shown.empty()) << h.test.messages.texts().join(u'/').toStdString();
    if (fault.rows) {
        ASSERT_EQ(form.ListView1->topLevelItemCount(), 1);
        EXPECT_EQ(form.ListView1->topLevelItem(0)->text(form.columnByKey(QStringLiteral("wl"))), kProgress);
    } else {
        EXPECT_EQ(form.ListView1->topLevelItemCount(), 0);
    }

    QStringList lines {kDadLine, kBookLine};
    if (fault.accepted && command == Command::NewNumber)
        lines.append(QStringLiteral("SF999|顺丰快递|新鞋"));
    EXPECT_EQ(readBytes(savedFileOf(h)), composeSavedFile(lines, {QStringLiteral("; kept by hand")}));
    EXPECT_EQ(itemsOf(form.Combo6), lines);
}

INSTANTIATE_TEST_SUITE_P(Service, TrackingFaults,
                         ::testing::Combine(::testing::ValuesIn(kFaults),
                                            ::testing::Values(Command::NewNumber, Command::SavedParcel)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name)
                                 + (std::get<1>(info.param) == Command::NewNumber ? "_NewNumber"
                                                                                  : "_SavedParcel");
                         });

// A fault is not remembered: the next query against a working service goes through as usual.
TEST(TrackingFaultRecovery, QueryAfterResetWorks)
{
    std::atomic<int> calls {0};
    FaultyService service = raw([&calls](RawConnection &c) {
        if (!c.readUntil("\r\n\r\n"))
            return;
        const QByteArray body = goodAnswer().toUtf8();
        if (calls++ == 0) {
            c.send(httpHead(200, "text/html; charset=utf-8", body.size()) + body.left(40));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            c.reset();
            return;
        }
        c.send(httpHead(200, "text/html; charset=utf-8", body.size()) + body);
    });
    WindowHarness h;
    h.test.editEndpoints([&](Endpoints &e) { e.trackingTimeoutSeconds = 1; });
    Form1 &form = openWindow(h, service.baseUrl, savedBefore());

    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(form.Label11[2]->text(), kRefused);
    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(form.Label11[2]->text(), kDone);
    EXPECT_EQ(form.ListView1->topLevelItemCount(), 1);
}
} // namespace

namespace {
// A reply cut by a reset: many rounds, so that no timing of the reset makes it pass as whole.
TEST(CutAnswer, AlwaysAFailure)
{
    for (int round = 0; round < 30; ++round) {
        FaultyService service = resetsMidAnswer();
        HttpClient http;
        const HttpResult result = http.get(service.baseUrl + QStringLiteral("/"), 1000);
        ASSERT_EQ(result.failure, HttpResult::Failure::NoConnection) << "round " << round;
        EXPECT_TRUE(result.text.isEmpty());
    }
}
} // namespace
