#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString joinPath(const QString &dir, const QString &name)
{
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

QString dataDirectory()
{
    const QString home = qEnvironmentVariable("PARCELVUE_HOME");
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        return QDir(home).absolutePath();
    }
    const QString programDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(programDir).isWritable())
        return programDir;
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userDir);
    return userDir;
}

QString shippedAssetDir()
{
    const QString beside = joinPath(QCoreApplication::applicationDirPath(), QStringLiteral("assets"));
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed
        = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/parcelvue"));
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    return QStringLiteral(PARCELVUE_ASSET_DIR);
}

QString assetPath(const QString &dataDir, const QString &fileName)
{
    const QString local = joinPath(dataDir, fileName);
    if (QFileInfo::exists(local))
        return local;
    return joinPath(shippedAssetDir(), fileName);
}
