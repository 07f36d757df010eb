#include "platform/paths.h"
#include "platform/logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>
#include <QStandardPaths>
#include <mutex>

namespace {
// A program counts as run from its build tree when it sits inside the folder it was built in.
bool insideBuildTree(const QString &programDir, const QString &buildDir)
{
    const QString build = QFileInfo(buildDir).canonicalFilePath();
    const QString program = QFileInfo(programDir).canonicalFilePath();
    if (build.isEmpty() || program.isEmpty())
        return false;
    return program == build || program.startsWith(build + QLatin1Char('/'));
}

// Said once per file, not at every alert sound or skin application.
void reportMissing(const QString &path)
{
    static std::mutex mutex;
    static QSet<QString> reported;
    const std::lock_guard<std::mutex> lock(mutex);
    if (reported.contains(path))
        return;
    reported.insert(path);
    qCInfo(lcAssets, "missing file %s; going on without it", qUtf8Printable(path));
}
} // namespace

QString joinPath(const QString &dir, const QString &name)
{
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

QString chooseDataDirectory(const DataDirectoryFacts &facts)
{
    if (!facts.home.isEmpty())
        return facts.home;
    // An installed program's directory is the system's (root would write wlnum.ini into /usr/bin),
    // unless someone keeps a portable copy there on purpose.
    const bool ownDirectory = facts.programDirWritable && (!facts.installed || facts.programDirHoldsData);
    return ownDirectory ? facts.programDir : facts.userDir;
}

QString dataDirectory()
{
    DataDirectoryFacts facts;
    facts.home = qEnvironmentVariable("PARCELVUE_HOME");
    if (facts.home.isEmpty()) {
        facts.programDir = QCoreApplication::applicationDirPath();
        facts.programDirWritable = QFileInfo(facts.programDir).isWritable();
        facts.installed = QFileInfo(installedAssetDir(facts.programDir)).isDir();
        facts.programDirHoldsData = QFileInfo::exists(joinPath(facts.programDir, QStringLiteral("wlnum.ini")))
            || QFileInfo::exists(joinPath(facts.programDir, QStringLiteral("parcelvue.ini")));
        facts.userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    const QString chosen = chooseDataDirectory(facts);
    QDir().mkpath(chosen);
    return QDir(chosen).absolutePath();
}

QString installedAssetDir(const QString &programDir)
{
    return QDir::cleanPath(joinPath(programDir, QStringLiteral("../share/parcelvue")));
}

QString shippedAssetDirFor(const QString &programDir, const QString &buildDir, const QString &sourceAssetDir)
{
    const QString installed = installedAssetDir(programDir);
    if (QFileInfo(installed).isDir() || !insideBuildTree(programDir, buildDir))
        return installed;
    return sourceAssetDir;
}

QString shippedAssetDir()
{
    return shippedAssetDirFor(QCoreApplication::applicationDirPath(), QStringLiteral(PARCELVUE_BUILD_DIR),
                              QStringLiteral(PARCELVUE_ASSET_DIR));
}

QString assetDir(const QString &dataDir, const QString &fileName)
{
    if (QFileInfo::exists(joinPath(dataDir, fileName)))
        return dataDir;
    const QString shipped = shippedAssetDir();
    if (!QFileInfo::exists(joinPath(shipped, fileName)))
        reportMissing(joinPath(shipped, fileName));
    return shipped;
}

QString translationPath(const QString &dataDir, const QString &fileName)
{
    const QString name = QStringLiteral("translations/") + fileName;
    const QString buildDir = QStringLiteral(PARCELVUE_BUILD_DIR);
    for (const QString &dir : {dataDir, installedAssetDir(QCoreApplication::applicationDirPath())}) {
        if (QFileInfo::exists(joinPath(dir, name)))
            return joinPath(dir, name);
    }
    if (insideBuildTree(QCoreApplication::applicationDirPath(), buildDir)
        && QFileInfo::exists(joinPath(buildDir, name)))
        return joinPath(buildDir, name);
    return QString();
}

QString assetPath(const QString &dataDir, const QString &fileName)
{
    return joinPath(assetDir(dataDir, fileName), fileName);
}
