#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace CommandLine {
// `parcelvue scan-mail [--json] [--add] [--days N] (--mbox FILE | --maildir DIR)`: the tracking
// numbers in the mails of the last N days (30; 0 for all) that are not saved yet. `--add` saves them
// through `import`, which hands them to a running window.
int scanMail(QStringList args, bool json, const std::function<int(const QString &file)> &import);
} // namespace CommandLine
