#include "WholeFile.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* errorMessage)
{
    QSaveFile file(path);
    // Unbuffered, so that a write cut short by a full disk shows in its count: a buffered write reports the whole
    // size and the short file would then be committed over the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()
        || !file.commit()) {
        if (errorMessage) {
            *errorMessage = file.errorString();
        }
        return false;
    }
    return true;
}

bool writeNewRegularFile(const QString& path, const QByteArray& bytes, QString* errorMessage)
{
    // The temporary file is new and ours, in the same folder; rename() then swaps the name over in one step and
    // replaces a symbolic link itself rather than its target.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    const auto fail = [errorMessage](const QString& reason) {
        if (errorMessage) {
            *errorMessage = reason;
        }
        return false;
    };
    if (!file.open()) {
        return fail(file.errorString());
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return fail(file.errorString());
    }
    if (::fsync(file.handle()) != 0) {
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (!file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther)) {
        return fail(file.errorString());
    }
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    file.setAutoRemove(false);
    return true;
}
