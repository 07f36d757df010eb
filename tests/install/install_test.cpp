// The installed program, as a user gets it: `cmake --install` into a temporary prefix, moved to
// another folder so that no path of the build or source tree can serve it, then run under xvfb-run
// against a sandbox; and the same for the contents of the Debian package made by cpack.
#include "picture_diff.h"
#include "core/endpoints.h"
#include "platform/paths.h"
#include "test_servers.h"
#include "gui/window/frame_paint.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>

namespace {
const QString kAppId = QStringLiteral("org.parcelvue.Parcelvue");
const QString kVersion = QStringLiteral("%1.%2.%3")
                             .arg(PARCELVUE_VERSION_MAJOR)
                             .arg(PARCELVUE_VERSION_MINOR)
                             .arg(PARCELVUE_VERSION_REVISION);

struct Finished
{
    bool ended = false;
    int exitCode = -1;
    QString output; // standard output and error together
};

Finished run(const QString &program, const QStringList &arguments, const QString &workDir = {},
             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workDir);
    process.start(program, arguments);
    Finished result;
    result.ended = process.waitForFinished(120000);
    if (!result.ended)
        process.kill();
    process.waitForFinished(5000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAll());
    if (process.error() == QProcess::FailedToStart)
        result.output += program + QStringLiteral(": ") + process.errorString();
    return result;
}

// Runs inside the X server: the program in the background until its picture is written, then the
// window classes are listed (for the desktop entry's StartupWMClass) and it is stopped by its own
// process id.
const char *const kInsideX = R"(
"$0" --screenshot "$1" &
app=$!
i=0
while [ ! -s "$1" ] && [ $i -lt 150 ] && kill -0 $app 2>/dev/null; do sleep 0.2; i=$((i+1)); done
sleep 0.5
for w in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
    xprop -id "$w" WM_CLASS
done | grep '^WM_CLASS(' | sort -u
kill $app 2>/dev/null
wait $app 2>/dev/null
[ -s "$1" ]
)";

// One program run as a user would start it: no PARCELVUE_HOME, a home and per-user data folder of
// its own (where endpoints.ini points at the sandbox), started from a folder outside the trees.
struct UserRun
{
    QString programError;
    QImage shot;
    QString output;
};

UserRun runAsUser(const QString &program, const QString &work, const QString &sandboxUrl)
{
    UserRun result;
    const QString home = work + QStringLiteral("/home");
    const QString userData = home + QStringLiteral("/.local/share/parcelvue");
    QDir().mkpath(userData);
    Endpoints endpoints = Endpoints::defaults();
    endpoints.useServer(sandboxUrl);
    if (!endpoints.save(userData + QStringLiteral("/endpoints.ini"))) {
        result.programError = QStringLiteral("cannot write endpoints.ini");
        return result;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "PARCELVUE_HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("HOME"), home);
    // Servers of other test runs on this machine start at 99; this keeps clear of most of them.
    const QString serverNumber = QString::number(200 + QCoreApplication::applicationPid() % 400);
    const QString picture = work + QStringLiteral("/screenshot.png");
    const Finished finished
        = run(QStringLiteral(XVFB_RUN),
              {QStringLiteral("-a"), QStringLiteral("-n"), serverNumber, QStringLiteral("-s"),
               QStringLiteral("-screen 0 1024x768x24"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
               QString::fromLatin1(kInsideX), program, picture},
              work, environment);
    result.output = finished.output;
    std::cout << "--- " << program.toStdString() << " ---\n" << finished.output.toStdString() << std::endl;
    if (!finished.ended || finished.exitCode != 0)
        result.programError
            = QStringLiteral("no picture: xvfb-run ended %1 with %2")
                  .arg(finished.ended ? QStringLiteral("normally") : QStringLiteral("by a kill"))
                  .arg(finished.exitCode);
    result.shot = QImage(picture).convertToFormat(QImage::Format_RGB32);
    return result;
}

QImage shipped(const char *name)
{
    QTemporaryDir noDataDir;
    return QImage(assetPath(noDataDir.path(), QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

// The frame pictures where the window paints them: banner, title-bar buttons, corners and edges.
void expectFramePictures(const QImage &shot)
{
    ASSERT_FALSE(shot.isNull());
    const int SW = shot.width(), SH = shot.height();
    const QImage skin = shipped("frame_skin.png"), buttons = shipped("title_buttons.png"),
                 banner = shipped("title_banner.png");
    EXPECT_EQ(pictureDifferences(shot, {10, 16}, banner, banner.rect()), 0) << "banner";
    for (TitleButton button : {TitleButton::Minimise, TitleButton::Close})
        EXPECT_EQ(pictureDifferences(shot, buttonOrigin(button, SW), buttons,
                                     spriteRect(button, ButtonLook::Normal)),
                  0);
    const struct
    {
        QPoint at, source;
    } frame[] = {
        {{0, 0}, {0, 0}},          {{300, 8}, {6, 8}},      {{SW - 1, 40}, {12, 40}},    {{0, 300}, {0, 80}},
        {{SW - 3, 300}, {10, 80}}, {{0, SH - 1}, {0, 100}}, {{SW / 2, SH - 3}, {6, 98}},
    };
    for (const auto &f : frame)
        EXPECT_EQ(shot.pixel(f.at), skin.pixel(f.source)) << "frame at " << f.at.x() << ", " << f.at.y();
}

QStringList filesUnder(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}

bool copyTree(const QString &from, const QString &to)
{
    return run(QStringLiteral("cp"), {QStringLiteral("-a"), from, to}).exitCode == 0;
}

// The install tree, made once: installed into a temporary prefix, then moved to another folder, so
// that nothing is left where it was installed. (Naming the component keeps the build tree's
// install_manifest.txt, a user's list for removing what they installed.)
class InstalledCopy : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_work = new QTemporaryDir;
        const QString prefix = s_work->filePath(QStringLiteral("prefix"));
        const Finished install = run(QStringLiteral(CMAKE_COMMAND),
                                     {QStringLiteral("--install"), QStringLiteral(PARCELVUE_BUILD_TREE),
                                      QStringLiteral("--prefix"), prefix, QStringLiteral("--component"),
                                      QStringLiteral("Unspecified")});
        s_installLog = install.output;
        s_copy = s_work->filePath(QStringLiteral("elsewhere/parcelvue"));
        s_installed = install.exitCode == 0 && QDir().mkpath(s_work->filePath(QStringLiteral("elsewhere")))
            && QDir().rename(prefix, s_copy);
    }
    static void TearDownTestSuite()
    {
        delete s_work;
        s_work = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_installed) << s_installLog.toStdString(); }

    static QTemporaryDir *s_work;
    static QString s_copy;
    static QString s_installLog;
    static bool s_installed;
};
QTemporaryDir *InstalledCopy::s_work = nullptr;
QString InstalledCopy::s_copy;
QString InstalledCopy::s_installLog;
bool InstalledCopy::s_installed = false;

TEST_F(InstalledCopy, HoldsProgramsAssetsEntryMetainfoAndIcons)
{
    const QStringList files = filesUnder(s_copy);
    for (const char *file : {"bin/parcelvue", "bin/parcelvue-sandbox", "share/parcelvue/frame_skin.png",
                             "share/parcelvue/title_buttons.png", "share/parcelvue/title_banner.png",
                             "share/parcelvue/link_cursor.png", "share/parcelvue/skinh.she",
                             "share/parcelvue/ts.mp3", "share/man/man1/parcelvue.1.gz"})
        EXPECT_TRUE(files.contains(QLatin1String(file))) << file;

    // Each fixed-size icon is the size its folder says, with a see-through corner and the same
    // picture as the scalable one drawn at that size (allowing for anti-aliasing).
    const QString icons = s_copy + QStringLiteral("/share/icons/hicolor/");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path
            = icons + QStringLiteral("%1x%1/apps/").arg(size) + kAppId + QStringLiteral(".png");
        const QImage icon = QImage(path).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size)) << path.toStdString();
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
        if (size == 256) {
            QImage scalable(icons + QStringLiteral("scalable/apps/") + kAppId + QStringLiteral(".svg"));
            ASSERT_FALSE(scalable.isNull()) << "the SVG does not load";
            scalable = scalable.scaled(size, size).convertToFormat(QImage::Format_ARGB32);
            long total = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const QRgb a = icon.pixel(x, y), b = scalable.pixel(x, y);
                    total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b))
                        + std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
                }
            }
            EXPECT_LT(total / double(size * size * 4), 1.0) << "the SVG and the PNGs differ";
        }
    }

    const Finished entry
        = run(QStringLiteral(DESKTOP_FILE_VALIDATE),
              {QStringLiteral("--no-hints"),
               s_copy + QStringLiteral("/share/applications/") + kAppId + QStringLiteral(".desktop")});
    EXPECT_EQ(entry.exitCode, 0);
    EXPECT_EQ(entry.output, QString()) << "desktop-file-validate warns";

    const QString metainfoPath
        = s_copy + QStringLiteral("/share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml");
    const Finished metainfo = run(QStringLiteral(APPSTREAMCLI),
                                  {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfoPath});
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.output.toStdString();
    QFile file(metainfoPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch newest = QRegularExpression(QStringLiteral("<release version=\"([^\"]+)\""))
                                               .match(QString::fromUtf8(file.readAll()));
    EXPECT_EQ(newest.captured(1), kVersion) << "the newest release in the metainfo is not this version";

    const Finished sandbox
        = run(s_copy + QStringLiteral("/bin/parcelvue-sandbox"), {QStringLiteral("--version")});
    EXPECT_EQ(sandbox.output.trimmed(), QStringLiteral("parcelvue-sandbox ") + kVersion);
}

TEST_F(InstalledCopy, RunsWithItsOwnAssetsAndThePerUserDataDirectory)
{
    TestSandbox sandbox;
    const QString work = s_work->filePath(QStringLiteral("run"));
    ASSERT_TRUE(QDir().mkpath(work));
    const QStringList before = filesUnder(s_copy);
    const UserRun result = runAsUser(s_copy + QStringLiteral("/bin/parcelvue"), work, sandbox.baseUrl());
    ASSERT_EQ(result.programError, QString());
    expectFramePictures(result.shot);
    EXPECT_FALSE(result.output.contains(QStringLiteral("missing file")));
    // The desktop entry's StartupWMClass is the class of the program's windows.
    QFile entry(s_copy + QStringLiteral("/share/applications/") + kAppId + QStringLiteral(".desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString wmClass
        = QRegularExpression(QStringLiteral("^StartupWMClass=(.+)$"), QRegularExpression::MultilineOption)
              .match(QString::fromUtf8(entry.readAll()))
              .captured(1);
    ASSERT_FALSE(wmClass.isEmpty());
    EXPECT_TRUE(
        result.output.contains(QStringLiteral("WM_CLASS(STRING) = \"parcelvue\", \"%1\"").arg(wmClass)))
        << "no window of class " << wmClass.toStdString();
    // endpoints.ini was read from the per-user data folder, and nothing was written beside the
    // installed program even though its folder is writable.
    EXPECT_GE(sandbox.server().countRequests("/version/gx.txt"), 1);
    EXPECT_EQ(filesUnder(s_copy), before);
}

TEST_F(InstalledCopy, MissingAssetsAreNamedAndGoneWithout)
{
    const QString copy = s_work->filePath(QStringLiteral("damaged"));
    ASSERT_TRUE(copyTree(s_copy, copy));
    for (const char *name : {"frame_skin.png", "skinh.she"})
        ASSERT_TRUE(QFile::remove(copy + QStringLiteral("/share/parcelvue/") + QLatin1String(name)));

    TestSandbox sandbox;
    const QString work = s_work->filePath(QStringLiteral("run-damaged"));
    ASSERT_TRUE(QDir().mkpath(work));
    const UserRun result = runAsUser(copy + QStringLiteral("/bin/parcelvue"), work, sandbox.baseUrl());
    ASSERT_EQ(result.programError, QString()) << "the program did not come up without its skin";
    for (const char *name : {"frame_skin.png", "skinh.she"}) {
        const QString line = QStringLiteral("missing file ") + QFileInfo(copy).canonicalFilePath()
            + QStringLiteral("/share/parcelvue/") + QLatin1String(name);
        EXPECT_TRUE(result.output.contains(line)) << "no line naming " << name;
        // Said once, and not again by whatever would have read the file.
        EXPECT_EQ(result.output.count(QLatin1String(name)), 1) << name;
    }
    // The pictures still there are painted; the frame is not, not even from the source tree.
    const QImage banner = shipped("title_banner.png");
    EXPECT_EQ(pictureDifferences(result.shot, {10, 16}, banner, banner.rect()), 0);
    EXPECT_NE(result.shot.pixel(0, 0), shipped("frame_skin.png").pixel(0, 0));
    // Not a blank window: the controls are drawn.
    QSet<QRgb> colours;
    for (int y = 100; y < result.shot.height(); y += 3) {
        for (int x = 0; x < result.shot.width(); x += 3)
            colours.insert(result.shot.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20);
}

TEST(DebianPackage, BuildsPassesLintianAndRunsExtracted)
{
#ifdef PARCELVUE_SANITIZED
    GTEST_SKIP() << "The Debian package is made and checked in the normal build only: a package of "
                    "sanitizer-instrumented programs would need the sanitizer runtimes.";
#endif
    QTemporaryDir work;
    const QString packages = work.filePath(QStringLiteral("packages"));
    const Finished cpack = run(QStringLiteral(CPACK_COMMAND),
                               {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), packages},
                               QStringLiteral(PARCELVUE_BUILD_TREE));
    ASSERT_EQ(cpack.exitCode, 0) << cpack.output.toStdString();
    const QStringList debs = QDir(packages).entryList({QStringLiteral("*.deb")}, QDir::Files);
    ASSERT_EQ(debs.size(), 1) << cpack.output.toStdString();
    const QString deb = packages + QLatin1Char('/') + debs[0];
    std::cout << "package: " << deb.toStdString() << std::endl;

    const Finished fields = run(QStringLiteral(DPKG_DEB),
                                {QStringLiteral("-f"), deb, QStringLiteral("Version"),
                                 QStringLiteral("Section"), QStringLiteral("Depends")});
    EXPECT_TRUE(fields.output.contains(QStringLiteral("Version: ") + kVersion))
        << fields.output.toStdString();
    EXPECT_TRUE(fields.output.contains(QStringLiteral("Section: utils")));
    for (const char *dependency :
         {"libqt6widgets6", "libqt6multimedia6", "libcurl4", "gstreamer1.0-plugins-good"})
        EXPECT_TRUE(fields.output.contains(QLatin1String(dependency))) << dependency;

    const Finished lintian
        = run(QStringLiteral(LINTIAN), {QStringLiteral("--display-info"), QStringLiteral("--pedantic"), deb});
    std::cout << "--- lintian ---\n" << lintian.output.toStdString() << std::endl;
    EXPECT_EQ(lintian.exitCode, 0);
    EXPECT_FALSE(QRegularExpression(QStringLiteral("^E: "), QRegularExpression::MultilineOption)
                     .match(lintian.output)
                     .hasMatch());

    const QString root = work.filePath(QStringLiteral("extracted"));
    ASSERT_EQ(run(QStringLiteral(DPKG_DEB), {QStringLiteral("-x"), deb, root}).exitCode, 0);
    TestSandbox sandbox;
    const QString runDir = work.filePath(QStringLiteral("run"));
    ASSERT_TRUE(QDir().mkpath(runDir));
    const UserRun result = runAsUser(root + QStringLiteral("/usr/bin/parcelvue"), runDir, sandbox.baseUrl());
    ASSERT_EQ(result.programError, QString());
    expectFramePictures(result.shot);
    EXPECT_GE(sandbox.server().countRequests("/version/gx.txt"), 1);
}
} // namespace
