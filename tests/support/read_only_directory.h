#pragma once

#include <QString>

// Makes a directory refuse new entries (and the removal or renaming of old ones) while this lives.
// chmod is enough for an ordinary user; root ignores it, so the directory is then marked immutable
// (ext4 and most Linux file systems). active() is false when neither works here.
class ReadOnlyDirectory
{
public:
    explicit ReadOnlyDirectory(const QString &path);
    ~ReadOnlyDirectory();
    ReadOnlyDirectory(const ReadOnlyDirectory &) = delete;
    ReadOnlyDirectory &operator=(const ReadOnlyDirectory &) = delete;
    bool active() const { return m_active; }

private:
    bool setImmutable(bool on);
    bool acceptsNewFiles() const;

    QByteArray m_path;
    bool m_immutable = false;
    bool m_active = false;
};
