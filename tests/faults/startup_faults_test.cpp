#include "fault_support.h"

#include "platform/text_codec.h"

#include <QPushButton>
#include <thread>

namespace {
const QString kCheckFailed = QStringLiteral("检测更新失败!请您稍后再试,暂时使用原版");
const QString kLoaded = QStringLiteral("程序已加载完毕...");

FaultyService stalls()
{
    return raw([](RawConnection &c) {
        if (c.readUntil("\r\n\r\n") && c.send(httpHead(200, "text/plain", 100) + "V4"))
            c.stall();
    });
}

FaultyService resets()
{
    return raw([](RawConnection &c) {
        if (!c.readUntil("\r\n\r\n"))
            return;
        c.send(httpHead(200, "text/plain", 100) + "V4");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        c.reset();
    });
}

FaultyService huge()
{
    return answering(
        [](httplib::Response &r) { r.set_content(std::string(20u * 1024 * 1024, 'V'), "text/plain"); });
}

FaultyService garbage()
{
    return answering([](httplib::Response &r) { r.set_content(std::string(300, '\xFF'), "text/plain"); });
}

FaultyService errorPage(int status)
{
    return answering([status](httplib::Response &r) {
        r.status = status;
        r.set_content("<html><body>V4.2 not here</body></html>", "text/html");
    });
}

struct SiteFault
{
    const char *name;
    FaultyService (*service)();
    int timeoutSeconds = 1;
    friend void PrintTo(const SiteFault &fault, std::ostream *out) { *out << fault.name; }
};

const SiteFault kFaults[] = {
    {"Refused", refusing},
    {"NeverAnswers", silent},
    {"StallsMidAnswer", stalls},
    {"ResetMidAnswer", resets},
    {"Answer20MB", huge, 4},
    {"NeitherUtf8NorGbk", garbage},
    {"Http500", [] { return errorPage(500); }},
    {"Http404", [] { return errorPage(404); }},
};

// The window as start-up leaves it, with the check about to run.
Form1 &openBeforeCheck(WindowHarness &h, const QString &site, int timeoutSeconds)
{
    h.test.useServer(site);
    h.test.editEndpoints([&](Endpoints &e) { e.trackingTimeoutSeconds = timeoutSeconds; });
    writeBytes(savedFileOf(h), savedBefore());
    Form1 &form = h.open();
    form.Timer3->stop();
    return form;
}

void expectUsable(Form1 &form, WindowHarness &h)
{
    EXPECT_TRUE(form.Command1->isEnabled());
    EXPECT_TRUE(form.Text1->isEnabled());
    EXPECT_EQ(form.Label11[2]->text(), kLoaded);
    EXPECT_EQ(h.test.programEnded, 0);
    EXPECT_TRUE(h.test.urls.opened.isEmpty());
    EXPECT_EQ(readBytes(savedFileOf(h)), savedBefore());
    EXPECT_EQ(form.Combo6->count(), 2);
}

class VersionFaults : public ::testing::TestWithParam<SiteFault>
{
};

TEST_P(VersionFaults, WarnsOnceAndStaysUsable)
{
    FaultyService site = GetParam().service();
    WindowHarness h;
    Form1 &form = openBeforeCheck(h, site.baseUrl, GetParam().timeoutSeconds);
    ASSERT_FALSE(form.Command1->isEnabled());

    EXPECT_LT(timed([&] { form.Timer3_Timer(); }), kHangBoundMs);

    ASSERT_EQ(h.test.messages.shown.size(), 1u);
    EXPECT_EQ(h.test.messages.shown[0].text, kCheckFailed);
    EXPECT_EQ(h.test.messages.shown[0].icon, MsgIcon::Exclamation);
    expectUsable(form, h);
    EXPECT_TRUE(form.strPromo.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Site, VersionFaults, ::testing::ValuesIn(kFaults),
                         [](const auto &info) { return std::string(info.param.name); });

// The version is right and the announcement faulty: the program starts without a word and the
// mail's promotion link stays empty.
class AnnouncementFaults : public ::testing::TestWithParam<SiteFault>
{
};

TEST_P(AnnouncementFaults, SilentAndUsable)
{
    FaultyService faulty = GetParam().service();
    const std::string target = faulty.baseUrl.toStdString() + "/data/tg.txt";
    // The version file is right; the announcement is sent on to the faulty server.
    FaultyService site;
    site.http = std::make_unique<ScriptedHttpServer>();
    site.http->get("/version/gx.txt", [](const httplib::Request &, httplib::Response &r) {
        r.set_content("V4.2", "text/plain");
    });
    site.http->get("/data/tg.txt",
                   [target](const httplib::Request &, httplib::Response &r) { r.set_redirect(target); });
    site.baseUrl = site.http->start();
    WindowHarness h;
    Form1 &form = openBeforeCheck(h, site.baseUrl, GetParam().timeoutSeconds);

    EXPECT_LT(timed([&] { form.Timer3_Timer(); }), kHangBoundMs);

    EXPECT_TRUE(h.test.messages.shown.empty()) << h.test.messages.texts().join(u'/').toStdString();
    expectUsable(form, h);
    EXPECT_TRUE(form.strPromoText.isEmpty());
    EXPECT_TRUE(form.strPromoUrl.isEmpty());
    // The fault was met, not skipped: the request reached the faulty server.
    if (faulty.raw) {
        EXPECT_GT(faulty.raw->connections(), 0);
    }
    if (std::string(GetParam().name) == "NeitherUtf8NorGbk") {
        EXPECT_FALSE(form.strPromo.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Site, AnnouncementFaults, ::testing::ValuesIn(kFaults),
                         [](const auto &info) { return std::string(info.param.name); });

// A charset header that does not fit the bytes: the texts are still read right.
TEST(StartupCharset, MislabelledAnnouncementIsReadRight)
{
    ScriptedHttpServer server;
    server.get("/version/gx.txt", [](const httplib::Request &, httplib::Response &r) {
        r.set_content("V4.2", "text/plain; charset=x-nothing");
    });
    server.get("/data/tg.txt", [](const httplib::Request &, httplib::Response &r) {
        r.set_content(encodeGb(QStringLiteral("快递优惠|http://127.0.0.1:1/tui")).toStdString(),
                      "text/plain; charset=utf-8");
    });
    const QString base = server.start();
    WindowHarness h;
    Form1 &form = openBeforeCheck(h, base, 1);
    form.Timer3_Timer();
    EXPECT_TRUE(h.test.messages.shown.empty());
    expectUsable(form, h);
    EXPECT_EQ(form.strPromoText, QStringLiteral("快递优惠"));
    EXPECT_EQ(form.strPromoUrl, QStringLiteral("http://127.0.0.1:1/tui"));
}
} // namespace
