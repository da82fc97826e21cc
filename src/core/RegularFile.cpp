#include "RegularFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {
namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return QStringLiteral("a folder");
    }
    if (S_ISFIFO(mode)) {
        return QStringLiteral("a named pipe");
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return QStringLiteral("a device");
    }
    if (S_ISSOCK(mode)) {
        return QStringLiteral("a socket");
    }
    return QStringLiteral("something else");
}

bool isLink(const QByteArray& nativePath)
{
    struct stat link = {};
    return ::lstat(nativePath.constData(), &link) == 0 && S_ISLNK(link.st_mode);
}

QString linkTarget(const QString& path)
{
    return QDir::toNativeSeparators(QFile::symLinkTarget(path));
}

struct Found
{
    std::optional<struct stat> file; // what path leads to, links followed
    QString error;                   // why there is nothing to use there; empty when nothing is there at all
};

Found lookUp(const QString& path, const QByteArray& nativePath)
{
    struct stat file = {};
    if (::stat(nativePath.constData(), &file) != 0) {
        const int error = errno;
        if (error != ENOENT) {
            return {std::nullopt, systemError(error)};
        }
        if (isLink(nativePath)) {
            // Creating the target would put the file wherever the link points, on a drive that is not mounted
            // for instance, and the user would look for it in vain.
            return {std::nullopt, QStringLiteral("It is a link to %1, which does not exist.").arg(linkTarget(path))};
        }
        return {};
    }
    if (S_ISREG(file.st_mode)) {
        return {file, QString()};
    }
    if (isLink(nativePath)) {
        return {
            std::nullopt,
            QStringLiteral("It is a link to %1, which is %2, not a file.").arg(linkTarget(path), kindOf(file.st_mode))};
    }
    return {std::nullopt, QStringLiteral("It is %1, not a file.").arg(kindOf(file.st_mode))};
}

class Descriptor final
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};

} // namespace

Reading read(const QString& path, qint64 maxBytes)
{
    Reading reading;
    const QByteArray nativePath = QFile::encodeName(path);
    const Found found = lookUp(path, nativePath);
    if (!found.file) {
        reading.status = found.error.isEmpty() ? Status::Missing : Status::Refused;
        reading.error = found.error;
        return reading;
    }
    reading.status = Status::Refused;
    // Should the name lead somewhere else by now, opening it must neither wait for a writer nor adopt a terminal;
    // what was opened is then checked to be the file that was looked at.
    const Descriptor file(::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd() < 0) {
        reading.error = systemError(errno);
        return reading;
    }
    struct stat opened = {};
    if (::fstat(file.fd(), &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != found.file->st_dev
        || opened.st_ino != found.file->st_ino) {
        reading.error = QStringLiteral("It was replaced while HUXO opened it.");
        return reading;
    }

    reading.size = opened.st_size;
    QByteArray bytes(qsizetype(maxBytes), '\0');
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t count = ::read(file.fd(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            reading.error = systemError(errno);
            return reading;
        }
        if (count == 0) {
            break;
        }
        filled += count;
    }
    bytes.truncate(filled);
    reading.bytes = bytes;
    reading.status = Status::Read;
    return reading;
}

bool createEmpty(const QString& path)
{
    // O_EXCL fails on any name that exists, a link to nothing included, so no link is ever followed here.
    const Descriptor file(::open(
        QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
    return file.fd() >= 0;
}

bool mayReplace(const QString& path, QString* errorMessage)
{
    const Found found = lookUp(path, QFile::encodeName(path));
    if (found.error.isEmpty()) {
        return true;
    }
    if (errorMessage) {
        *errorMessage = found.error;
    }
    return false;
}

} // namespace RegularFile
