#include "RegularFile.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/FileDescriptor.h"

namespace RegularFile {
namespace {

// As many links in a row as the kernel itself follows.
constexpr int MaxLinks = 40;
// The least a read grows by once a file turns out longer than it was.
constexpr qint64 GrowthBytes = 4096;

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

QString shown(const QByteArray& nativePath)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QFile::decodeName(nativePath)));
}

QByteArray folderOf(const QByteArray& nativePath)
{
    const qsizetype slash = nativePath.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : nativePath.left(slash);
}

QString userName(uid_t uid)
{
    passwd entry = {};
    passwd* found = nullptr;
    std::array<char, 4096> buffer = {};
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return QString::fromLocal8Bit(found->pw_name);
    }
    return QStringLiteral("user ID %1").arg(uid);
}

// Who owns a link is who made it (nobody can give a link away but root). Its maker and the folder's owner, who
// may change the folder as they please anyway, are the ones whose links HUXO follows.
std::optional<QString> refusalOf(const QByteArray& link, const struct stat& linkEntry)
{
    struct stat folder = {};
    if (::stat(folderOf(link).constData(), &folder) != 0) {
        return errorText(errno);
    }
    if (linkEntry.st_uid == ::geteuid() || linkEntry.st_uid == folder.st_uid) {
        return std::nullopt;
    }
    return QStringLiteral("It is, or leads through, a link that another user (%1) made, and HUXO follows only your "
                          "own links and those of the folder's owner. The link and the file it leads to were left "
                          "as they are.")
        .arg(userName(linkEntry.st_uid));
}

// Where a link leads, read as the kernel reads it: a relative target starts from the link's folder.
std::optional<QByteArray> linkTarget(const QByteArray& link)
{
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(link.constData(), target.data(), size_t(target.size()));
    if (length >= target.size()) {
        errno = ENAMETOOLONG;
    }
    if (length < 0 || length >= target.size()) {
        return std::nullopt;
    }
    target.truncate(length);
    return target.startsWith('/') ? target : folderOf(link) + '/' + target;
}

} // namespace

Target follow(const QString& path)
{
    Target target;
    QByteArray current = QFile::encodeName(path);
    for (int links = 0;; ++links) {
        target.path = QFile::decodeName(current);
        struct stat entry = {};
        if (::lstat(current.constData(), &entry) != 0) {
            const int error = errno;
            if (links > 0 && (error == ENOENT || error == ENOTDIR)) {
                // Creating the target would put the file wherever the link points, on a drive that is not mounted
                // for instance, and the user would look for it in vain.
                target.error = QStringLiteral("It is a link to %1, which does not exist.").arg(shown(current));
            } else if (error != ENOENT) {
                target.error = errorText(error);
            }
            return target;
        }
        if (!S_ISLNK(entry.st_mode)) {
            if (S_ISREG(entry.st_mode)) {
                target.file = entry;
            } else if (links == 0) {
                target.error = QStringLiteral("It is %1, not a file.").arg(kindOf(entry.st_mode));
            } else {
                target.error = QStringLiteral("It is a link to %1, which is %2, not a file.")
                                   .arg(shown(current), kindOf(entry.st_mode));
            }
            return target;
        }
        if (const std::optional<QString> refusal = refusalOf(current, entry)) {
            target.error = *refusal;
            target.foreignLink = true;
            return target;
        }
        const std::optional<QByteArray> next = linkTarget(current);
        if (!next || links == MaxLinks) {
            target.error = errorText(next ? ELOOP : errno);
            return target;
        }
        current = *next;
    }
}

Reading read(const QString& path, qint64 maxBytes)
{
    Reading reading;
    const Target target = follow(path);
    if (!target.file) {
        reading.status = target.error.isEmpty() ? Status::Missing : Status::Refused;
        reading.error = target.error;
        return reading;
    }
    reading.status = Status::Refused;
    // The end of the links is opened, not the name, and it must still be the file that was looked at: not a link
    // put there since, nor a pipe that would wait for a writer, nor a terminal to adopt.
    const FileDescriptor file(
        ::open(QFile::encodeName(target.path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
    const int openError = errno;
    if (file.fd() < 0 && openError != ELOOP) {
        reading.error = errorText(openError);
        return reading;
    }
    struct stat opened = {};
    if (file.fd() < 0 || ::fstat(file.fd(), &opened) != 0 || !S_ISREG(opened.st_mode)
        || opened.st_dev != target.file->st_dev || opened.st_ino != target.file->st_ino) {
        reading.error = QStringLiteral("It was replaced while HUXO opened it.");
        return reading;
    }

    reading.size = opened.st_size;
    // Room for the file as it was looked at and one byte more, which finds its end without a second buffer; a file
    // that has grown since gets more room, up to maxBytes.
    QByteArray bytes(qsizetype(qMin(maxBytes, qMax<qint64>(opened.st_size, 0) + 1)), Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() >= maxBytes) {
                break;
            }
            bytes.resize(qsizetype(qMin(maxBytes, qMax<qint64>(2 * bytes.size(), GrowthBytes))));
        }
        const ssize_t count = ::read(file.fd(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            reading.error = errorText(errno);
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
    const FileDescriptor file(::open(
        QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
    return file.fd() >= 0;
}

QString errorText(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("The disk is full.");
    case EDQUOT:
        return QStringLiteral("Your share of the disk (your disk quota) is used up.");
    case EFBIG:
        return QStringLiteral("The file would grow past the largest size this system lets HUXO write.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

} // namespace RegularFile
