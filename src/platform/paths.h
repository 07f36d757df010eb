#pragma once

#include <QString>

// The data directory: $PARCELVUE_HOME when set. An installed copy (its executable beside
// ../share/parcelvue) uses the per-user data location, unless its own directory is writable and
// already holds wlnum.ini or parcelvue.ini (a portable copy kept there on purpose). Any other copy
// uses its own directory when it is writable, else the per-user data location. Created when missing.
QString dataDirectory();

// What the data-directory rule looks at, gathered apart so that the rule itself is a plain function.
struct DataDirectoryFacts
{
    QString home; // $PARCELVUE_HOME, empty when unset
    QString programDir;
    bool programDirWritable = false;
    bool installed = false; // ../share/parcelvue beside the program
    bool programDirHoldsData = false; // wlnum.ini or parcelvue.ini already there
    QString userDir; // the per-user data location
};
QString chooseDataDirectory(const DataDirectoryFacts &facts);

// Where an installed copy keeps its own files: programDir/../share/parcelvue.
QString installedAssetDir(const QString &programDir);

// The program's own assets folder: the installed one when it exists; else, for a program run from
// the build tree it was built in, the source tree's assets; else the installed one all the same, so
// that a missing file is reported under the name an installed copy looks for.
QString shippedAssetDirFor(const QString &programDir, const QString &buildDir, const QString &sourceAssetDir);
QString shippedAssetDir();

// The folder a shipped file (skin, alert sound, frame pictures) is read from: the data directory
// when it holds its own copy, else the program's assets. A file found in neither is reported once on
// standard error (logging category parcelvue.assets); the caller goes on without it.
QString assetDir(const QString &dataDir, const QString &fileName);
QString assetPath(const QString &dataDir, const QString &fileName);
// A translation file (translations/<name>): in the data directory, else installed with the assets,
// else, for a program of this build tree, where the build made it. Empty when there is none.
QString translationPath(const QString &dataDir, const QString &fileName);

// dir + "/" + name, without doubling a separator the directory already ends in.
QString joinPath(const QString &dir, const QString &name);
