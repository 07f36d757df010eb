#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The saved-parcel file "wlnum.ini": one "number|carrier|remark" line per parcel, GB18030, CR LF.

// One saved line read with the catalogue in mind: a carrier whose display name holds a "|"
// ("共速达物流|快递") spans two fields, and the remark is the field after it.
struct SavedParcel
{
    QString number; // before the first "|"; empty when the line has none
    QString carrier;
    QString remark;
    QString rest; // the fields after the remark, each with the "|" before it, as in the line
};

SavedParcel readSavedLine(const QString &line);
// Told on the status line when the saved-parcel file could not be written; it stays there until
// a write succeeds, also across the parse that follows a query.
inline const QString kSavedListNotSaved = QStringLiteral("快递列表保存失败!请检查磁盘或权限..");

QString savedLine(const QString &number, const QString &carrier, const QString &remark);

// A parcel line has at least three fields; anything else is kept but not listed.
bool isParcelLine(const QString &line);

// A line ends at CR LF, a lone CR or a lone LF; a last line without an end is a line too.
QStringList splitLines(const QString &text);

struct SavedFileContents
{
    QStringList parcels; // parcel lines, as in the file, in file order
    QStringList otherLines; // lines that are neither parcels nor blank, in file order
};

SavedFileContents parseSavedFile(const QByteArray &bytes);
// The parcels, then the other lines, each followed by CR LF.
QByteArray composeSavedFile(const QStringList &parcels, const QStringList &otherLines);

// False when the file cannot be opened (it may not exist); `contents` is then untouched.
bool readSavedFile(const QString &path, SavedFileContents &contents);
// The file read before it is rewritten. A file that is not there is an empty list; one that is
// there but cannot be read (no permission, a directory, an I/O error) is a refusal: a rewrite
// from what was read would replace every saved parcel.
struct SavedFileRead
{
    bool ok = false;
    bool exists = false; // the file is there
    SavedFileContents contents;
    QString error; // names the file and the reason, for the user
};
SavedFileRead readSavedFileForRewrite(const QString &path);
// Replaces the file in one step: on any failure the old file stays as it was, and `error` (when
// given) says why.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);
// Removes the file; a file that is not there counts as removed.
bool removeSavedFile(const QString &path);
