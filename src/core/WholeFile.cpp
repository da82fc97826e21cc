#include "WholeFile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "core/RegularFile.h"

namespace {

constexpr int NameAttempts = 100;

bool fail(QString* errorMessage, const QString& reason)
{
    if (errorMessage) {
        *errorMessage = reason;
    }
    return false;
}

// The error of the first write that fails, or 0: a write cut short by a full disk or a file-size limit is taken up
// again, so that the next one says which.
int writeAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count < 0 ? errno : EIO;
        }
        written += count;
    }
    return 0;
}

// A new file of ours beside the one at name; its permissions are what the umask leaves of read and write for all.
int createBeside(const QByteArray& name, QByteArray* temporary)
{
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        *temporary = name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool replaceWhole(const QString& path,
                  const QByteArray& bytes,
                  std::optional<mode_t> permissions,
                  QString* errorMessage)
{
    const QByteArray name = QFile::encodeName(path);
    QByteArray temporary;
    const int fd = createBeside(name, &temporary);
    if (fd < 0) {
        return fail(errorMessage, RegularFile::errorText(errno));
    }
    int error = writeAll(fd, bytes);
    if (error == 0 && permissions && ::fchmod(fd, *permissions) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.constData(), name.constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.constData());
        return fail(errorMessage, RegularFile::errorText(error));
    }
    return true;
}

} // namespace

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* errorMessage)
{
    const RegularFile::Target target = RegularFile::follow(path);
    if (!target.error.isEmpty()) {
        return fail(errorMessage, target.error);
    }
    // A file that is there keeps its permissions, and one that may not be written stays as it is, though the
    // folder would let a new one take its name.
    std::optional<mode_t> permissions;
    if (target.file) {
        permissions = target.file->st_mode & 0777;
        if (::faccessat(AT_FDCWD, QFile::encodeName(target.path).constData(), W_OK, AT_EACCESS) != 0) {
            return fail(errorMessage, RegularFile::errorText(errno));
        }
    }
    return replaceWhole(target.path, bytes, permissions, errorMessage);
}

bool writeNewRegularFile(const QString& path, const QByteArray& bytes, QString* errorMessage)
{
    const RegularFile::Target target = RegularFile::follow(path);
    if (target.foreignLink) {
        return fail(errorMessage, target.error);
    }
    return replaceWhole(path, bytes, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH, errorMessage);
}
