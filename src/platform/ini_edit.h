#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// Edits of a UTF-8 INI file that QSettings reads (endpoints.ini), made line by line so that
// comments, the order of the lines and every other section stay as the user wrote them.

// `text` with the keys of `section` set to the values given (an existing key is replaced where it
// stands, a new one goes after the section's last entry, a missing section is appended) and the
// keys in `removed` taken out of that section. Names match as QSettings matches them: exactly.
QByteArray withIniSection(const QByteArray &text, const QString &section,
                          const QList<std::pair<QString, QString>> &values, const QStringList &removed = {});

// `value` as it must stand after "key=" for QSettings to read back exactly `value`: plain when it
// is, else quoted with its quotes, backslashes and line breaks escaped.
QByteArray iniValueText(const QString &value);

// Replaces the file with `text` in one step, readable and writable by its owner only (it may hold
// a password). False with the reason in `error` when it could not; the old file then stays.
bool writePrivateFile(const QString &path, const QByteArray &text, QString *error);

// The section of the file at `path` edited as withIniSection does, the file written with
// writePrivateFile (a missing file is made). A file that exists but cannot be read is left alone:
// it must not be replaced by that one section.
bool editIniFile(const QString &path, const QString &section,
                 const QList<std::pair<QString, QString>> &values, const QStringList &removed,
                 QString *error);
