#include "read_only_directory.h"

#include <QFile>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

ReadOnlyDirectory::ReadOnlyDirectory(const QString &path)
    : m_path(QFile::encodeName(path))
{
    ::chmod(m_path.constData(), 0555);
    if (acceptsNewFiles())
        m_immutable = setImmutable(true);
    m_active = !acceptsNewFiles();
}

ReadOnlyDirectory::~ReadOnlyDirectory()
{
    if (m_immutable)
        setImmutable(false);
    ::chmod(m_path.constData(), 0755);
}

bool ReadOnlyDirectory::setImmutable(bool on)
{
    const int fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

bool ReadOnlyDirectory::acceptsNewFiles() const
{
    const QByteArray probe = m_path + "/.write-probe";
    const int fd = ::open(probe.constData(), O_CREAT | O_EXCL | O_WRONLY, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}
