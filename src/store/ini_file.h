#pragma once

#include <QByteArray>
#include <QString>

// Private-profile (INI) files as the program has always read and written them: section and key
// names match without regard to letter case, a value is what follows the first "=" with the
// blanks around it removed, lines starting with ";" are comments. GB18030 text, CR LF line ends.

// The longest value a read returns, in bytes of the file's encoding.
constexpr int kProfileValueMaxBytes = 254;

// The value of `key` in `section`, or `defaultValue` when the section or key is missing; either is
// cut to kProfileValueMaxBytes bytes without splitting a character.
QString profileValue(const QByteArray &fileBytes, const QString &section, const QString &key,
                     const QString &defaultValue);

// The file with `key` in `section` set to `value`: an existing key is replaced in place, a new key
// goes after the section's last entry, a new section at the end. Every other line stays byte for
// byte as it was. A line break in the section, key or value is written as a space: it would
// otherwise end the entry and start a line (a key or a section) of its own.
QByteArray withProfileValue(const QByteArray &fileBytes, const QString &section, const QString &key,
                            const QString &value);

// The same on a file: a missing or unreadable file reads as empty. The write replaces the file in
// one step and returns false when it could not (the old file then stays as it was).
QString readProfileString(const QString &path, const QString &section, const QString &key,
                          const QString &defaultValue);
bool writeProfileString(const QString &path, const QString &section, const QString &key,
                        const QString &value);

// `text` with each CR and LF replaced by a space.
QString onOneLine(const QString &text);

// `text` cut to at most maxBytes bytes of GB18030, on a character boundary.
QString cutToEncodedBytes(const QString &text, int maxBytes);
