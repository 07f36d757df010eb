// Starts the real program under xvfb-run against a sandbox on a free loopback port, lets it save a
// picture of its main window, and checks the picture for the frame, banner and title-bar buttons
// painted from the shipped pictures at their places.
#include "core/endpoints.h"
#include "gui/window/frame_paint.h"
#include "picture_diff.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "test_servers.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>

namespace {
constexpr int SW = 746;
constexpr int SH = 493;

// Runs inside the X server: the program in the background until its picture is written, then
// it is stopped by its own process id.
const char *const kInsideX = R"(
"$0" --screenshot "$1" $2 &
app=$!
i=0
while [ ! -s "$1" ] && [ $i -lt 150 ] && kill -0 $app 2>/dev/null; do sleep 0.2; i=$((i+1)); done
sleep 0.5
kill $app 2>/dev/null
wait $app 2>/dev/null
[ -s "$1" ]
)";

QImage shipped(const QString &dataDir, const char *name)
{
    return QImage(assetPath(dataDir, QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(ScreenshotUnderXvfb, ShowsTheFrameBannerAndButtons)
{
    TestSandbox sandbox;
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    Endpoints endpoints = Endpoints::defaults();
    endpoints.useServer(sandbox.baseUrl());
    ASSERT_TRUE(endpoints.save(home.filePath(QStringLiteral("endpoints.ini"))));

    const QString path = QStringLiteral(PARCELVUE_SCREENSHOT);
    QFile::remove(path);
    QProcess xvfb;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("PARCELVUE_HOME"), home.path());
    xvfb.setProcessEnvironment(environment);
    xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb.start(QStringLiteral(XVFB_RUN),
               {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
                QStringLiteral("/bin/sh"), QStringLiteral("-c"), QString::fromLatin1(kInsideX),
                QStringLiteral(PARCELVUE_APP), path, QString()});
    ASSERT_TRUE(xvfb.waitForStarted(10000));
    const bool finished = xvfb.waitForFinished(90000);
    if (!finished)
        xvfb.kill();
    ASSERT_TRUE(finished) << "xvfb-run did not end";
    EXPECT_EQ(xvfb.exitCode(), 0);

    QImage shot(path);
    ASSERT_FALSE(shot.isNull()) << "no picture at " << path.toStdString();
    shot = shot.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(SW, SH));
    std::cout << "screenshot: " << path.toStdString() << std::endl;

    const QImage skin = shipped(home.path(), "frame_skin.png");
    const QImage buttons = shipped(home.path(), "title_buttons.png");
    const QImage banner = shipped(home.path(), "title_banner.png");
    ASSERT_FALSE(skin.isNull() || buttons.isNull() || banner.isNull());

    EXPECT_EQ(pictureDifferences(shot, {10, 16}, banner, banner.rect()), 0) << "banner";
    EXPECT_EQ(pictureDifferences(shot, buttonOrigin(TitleButton::Minimise, SW), buttons,
                                 spriteRect(TitleButton::Minimise, ButtonLook::Normal)),
              0)
        << "minimise button";
    EXPECT_EQ(pictureDifferences(shot, buttonOrigin(TitleButton::Close, SW), buttons,
                                 spriteRect(TitleButton::Close, ButtonLook::Normal)),
              0)
        << "close button";

    const struct
    {
        const char *region;
        QPoint at;
        QPoint source;
    } frame[] = {
        {"top-left corner", {0, 0}, {0, 0}},
        {"top-left corner", {5, 60}, {5, 60}},
        {"top edge", {300, 8}, {6, 8}},
        {"top edge", {SW / 2, 60}, {6, 60}},
        {"top-right corner", {SW - 1, 40}, {12, 40}},
        {"below the status strip", {SW / 2, 97}, {6, 97}},
        {"left edge", {0, 300}, {0, 80}},
        {"left edge", {2, 300}, {2, 80}},
        {"right edge", {SW - 1, 300}, {12, 80}},
        {"right edge", {SW - 3, 300}, {10, 80}},
        {"bottom-left corner", {0, SH - 1}, {0, 100}},
        {"bottom edge", {SW / 2, SH - 3}, {6, 98}},
        {"bottom-right corner", {SW - 1, SH - 5}, {12, 96}},
    };
    for (const auto &f : frame) {
        EXPECT_EQ(shot.pixel(f.at), skin.pixel(f.source))
            << f.region << " at (" << f.at.x() << ", " << f.at.y() << ")";
    }
}

namespace {
// 全部快递 with the demo's parcels, photographed by the program itself into `path`; `language`
// is the LANG it starts under (empty: as the tests run).
void photographOverview(const QString &path, const QString &language)
{
    TestSandbox sandbox;
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    Endpoints endpoints = Endpoints::defaults();
    endpoints.useServer(sandbox.baseUrl());
    ASSERT_TRUE(endpoints.save(home.filePath(QStringLiteral("endpoints.ini"))));
    // The demo's parcels (scripts/run.sh), each asked once.
    QFile saved(home.filePath(QStringLiteral("wlnum.ini")));
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    saved.write(
        encodeGb(QStringLiteral("STAGE1A001|顺丰快递|新买的衬衫\r\nSTAGE3B002|圆通快递|爸爸的书\r\n"
                                "STAGE5C003|中通快递|厨房用品\r\nSTAGE7D004|韵达快递|手机壳\r\n"
                                "STAGE8E005|申通快递|运动鞋\r\n0000000000|EMS快递|还没有信息的包裹\r\n")));
    saved.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    if (!language.isEmpty()) {
        for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("LANG"), language);
    }
    environment.insert(QStringLiteral("PARCELVUE_HOME"), home.path());
    QProcess refresh;
    refresh.setProcessEnvironment(environment);
    refresh.start(QStringLiteral(PARCELVUE_APP), {QStringLiteral("refresh")});
    ASSERT_TRUE(refresh.waitForFinished(60000));
    ASSERT_EQ(refresh.exitCode(), 0) << refresh.readAllStandardError().toStdString();

    QFile::remove(path);
    QProcess xvfb;
    xvfb.setProcessEnvironment(environment);
    xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb.start(QStringLiteral(XVFB_RUN),
               {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x800x24"),
                QStringLiteral("/bin/sh"), QStringLiteral("-c"), QString::fromLatin1(kInsideX),
                QStringLiteral(PARCELVUE_APP), path, QStringLiteral("--overview")});
    ASSERT_TRUE(xvfb.waitForStarted(10000));
    const bool finished = xvfb.waitForFinished(90000);
    if (!finished)
        xvfb.kill();
    ASSERT_TRUE(finished) << "xvfb-run did not end";
    EXPECT_EQ(xvfb.exitCode(), 0);

    const QImage shot = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shot.isNull()) << "no picture at " << path.toStdString();
    std::cout << "screenshot: " << path.toStdString() << std::endl;
    EXPECT_GE(shot.width(), 1180) << "the overview, not the main window";
    EXPECT_GE(shot.height(), 640);
    // Text and controls, not an empty window: many shades, and dark text on most rows.
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 3) {
        for (int x = 0; x < shot.width(); x += 3)
            colours.insert(shot.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 40);
}
} // namespace

TEST(ScreenshotUnderXvfb, ShowsTheOverviewOfTheDemoParcels)
{
    photographOverview(QStringLiteral(PARCELVUE_OVERVIEW_SCREENSHOT), QString());
}

// The same in an English locale: the picture of 全部快递 in English.
TEST(ScreenshotUnderXvfb, ShowsTheOverviewInEnglish)
{
    photographOverview(QStringLiteral(PARCELVUE_ENGLISH_OVERVIEW_SCREENSHOT), QStringLiteral("en_US.UTF-8"));
}

// Started in an English locale, the window is English and keeps its frame: the banner and the
// title-bar buttons where they are under Chinese.
TEST(ScreenshotUnderXvfb, ShowsTheMainWindowInEnglish)
{
    TestSandbox sandbox;
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    Endpoints endpoints = Endpoints::defaults();
    endpoints.useServer(sandbox.baseUrl());
    ASSERT_TRUE(endpoints.save(home.filePath(QStringLiteral("endpoints.ini"))));

    const QString path = QStringLiteral(PARCELVUE_ENGLISH_SCREENSHOT);
    QFile::remove(path);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("PARCELVUE_HOME"), home.path());
    QProcess xvfb;
    xvfb.setProcessEnvironment(environment);
    xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb.start(QStringLiteral(XVFB_RUN),
               {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
                QStringLiteral("/bin/sh"), QStringLiteral("-c"), QString::fromLatin1(kInsideX),
                QStringLiteral(PARCELVUE_APP), path, QString()});
    ASSERT_TRUE(xvfb.waitForStarted(10000));
    const bool finished = xvfb.waitForFinished(90000);
    if (!finished)
        xvfb.kill();
    ASSERT_TRUE(finished) << "xvfb-run did not end";
    EXPECT_EQ(xvfb.exitCode(), 0);

    const QImage shot = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shot.isNull()) << "no picture at " << path.toStdString();
    ASSERT_EQ(shot.size(), QSize(SW, SH));
    std::cout << "screenshot: " << path.toStdString() << std::endl;
    const QImage buttons = shipped(home.path(), "title_buttons.png");
    const QImage banner = shipped(home.path(), "title_banner.png");
    EXPECT_EQ(pictureDifferences(shot, {10, 16}, banner, banner.rect()), 0) << "banner";
    EXPECT_EQ(pictureDifferences(shot, buttonOrigin(TitleButton::Close, SW), buttons,
                                 spriteRect(TitleButton::Close, ButtonLook::Normal)),
              0)
        << "close button";
}
