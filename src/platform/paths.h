#pragma once

#include <QString>

// The data directory: $PARCELVUE_HOME when set; otherwise the program's own directory when it is
// writable; otherwise the per-user data location (created when missing).
QString dataDirectory();

// A file the program ships (skin, alert sound, frame images): the copy in the data directory when
// there is one, else the program's own assets.
QString assetPath(const QString &dataDir, const QString &fileName);

// The program's own assets folder: beside the executable, else the source tree it was built from.
QString shippedAssetDir();

// dir + "/" + name, without doubling a separator the directory already ends in.
QString joinPath(const QString &dir, const QString &name);
