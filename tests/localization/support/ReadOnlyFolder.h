#pragma once

#include <QFile>
#include <QString>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zov::test {

// Makes a folder refuse new files and renames for as long as it lives. Permissions
// stop ordinary users; the superuser (as in containers) ignores them, so the folder
// is also marked immutable where the file system allows it. Active() is false when
// neither holds, and the test should then be skipped.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : fPath(path) {
        fPermissions = QFile::permissions(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        fImmutable = geteuid() == 0 && SetImmutable(true);
    }
    ~ReadOnlyFolder() {
        if (fImmutable) {
            SetImmutable(false);
        }
        QFile::setPermissions(fPath, fPermissions);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Active() const { return geteuid() != 0 || fImmutable; }

private:
    bool SetImmutable(bool on) const {
        const int fd = open(QFile::encodeName(fPath).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        close(fd);
        return done;
    }

    QString fPath;
    QFile::Permissions fPermissions;
    bool fImmutable = false;
};

} // namespace zov::test
