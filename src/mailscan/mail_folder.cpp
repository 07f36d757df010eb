#include "mailscan/mail_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString readMbox(const QString &path, const MailVisitor &visit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("MailFolder", "无法读取邮件文件 %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    QByteArray message;
    bool inMessage = false;
    bool previousBlank = true;
    auto hand = [&]() -> bool {
        if (!inMessage)
            return true;
        // The blank line before the next "From " belongs to the file, not to the message.
        if (message.endsWith('\n'))
            message.chop(1);
        const bool more = visit(message);
        message.clear();
        return more;
    };
    while (!file.atEnd()) {
        QByteArray line = file.readLine(kLargestMessage);
        if (line.isEmpty() && file.error() != QFileDevice::NoError)
            return QCoreApplication::translate("MailFolder", "读取邮件文件 %1 时出错: %2")
                .arg(QDir::toNativeSeparators(path), file.errorString());
        if (previousBlank && line.startsWith("From ")) {
            if (!hand())
                return QString();
            inMessage = true;
            previousBlank = false;
            continue;
        }
        previousBlank = line == "\n" || line == "\r\n";
        if (!inMessage)
            continue;
        // mboxrd: ">From " and ">>From " lose one '>'.
        qsizetype quotes = 0;
        while (quotes < line.size() && line.at(quotes) == '>')
            ++quotes;
        if (quotes > 0 && line.mid(quotes).startsWith("From "))
            line.remove(0, 1);
        if (message.size() + line.size() <= kLargestMessage)
            message += line;
    }
    hand();
    return QString();
}

QString readMaildir(const QString &path, const MailVisitor &visit)
{
    QStringList files;
    for (const char *sub : {"cur", "new"}) {
        const QDir dir(QDir(path).filePath(QLatin1String(sub)));
        for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
            files.append(info.filePath());
    }
    if (files.isEmpty() && !QDir(path).exists(QStringLiteral("cur"))
        && !QDir(path).exists(QStringLiteral("new")))
        return QCoreApplication::translate("MailFolder", "%1 不是邮件文件夹(Maildir): 其中没有 cur 或 new")
            .arg(QDir::toNativeSeparators(path));
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            continue; // delivered and taken away meanwhile, or not ours to read
        if (!visit(file.read(kLargestMessage)))
            break;
    }
    return QString();
}
} // namespace

bool mailFolderKind(const QString &path, MailFolderKind *kind)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *kind = MailFolderKind::Maildir;
        return true;
    }
    if (info.isFile()) {
        *kind = MailFolderKind::Mbox;
        return true;
    }
    return false;
}

QString readMailFolder(const QString &path, MailFolderKind kind, const MailVisitor &visit)
{
    if (!QFileInfo::exists(path))
        return QCoreApplication::translate("MailFolder", "找不到邮件文件夹 %1")
            .arg(QDir::toNativeSeparators(path));
    return kind == MailFolderKind::Mbox ? readMbox(path, visit) : readMaildir(path, visit);
}
