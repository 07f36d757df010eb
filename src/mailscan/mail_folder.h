#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The messages of a local mail folder: a Maildir (cur/ and new/) or an mbox file (a Thunderbird
// profile's Mail/.../Inbox is one). Nothing in the folder is changed.

enum class MailFolderKind { Maildir, Mbox };

// Messages larger than this are read up to it.
constexpr qsizetype kLargestMessage = 32 * 1024 * 1024;

// What the reader hands on for each message; returning false stops the reading.
using MailVisitor = std::function<bool(const QByteArray &raw)>;

// Reads every message of the folder in its order; an empty string on success, otherwise what went
// wrong, in words for the user, naming the folder.
QString readMailFolder(const QString &path, MailFolderKind kind, const MailVisitor &visit);

// The kind of the folder at `path`: a directory holding cur/ or new/ is a Maildir, a file an mbox.
bool mailFolderKind(const QString &path, MailFolderKind *kind);
