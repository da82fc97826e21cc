#pragma once

#include <QByteArray>
#include <QString>

// The files of the program folder are the user's to replace by anything at all. Only a regular file, or a link to
// one, is ever opened: a named pipe would block the program and a device could feed it without end. A link is
// followed to read and to write, but never to create its target.
namespace RegularFile {

enum class Status
{
    Read,    // the bytes are the file's first ones
    Missing, // nothing at all is there
    Refused, // something is there that cannot or must not be read; error says why
};

struct Reading
{
    Status status = Status::Missing;
    QByteArray bytes;
    qint64 size = 0; // the whole file's size, of which bytes may be only the start
    QString error;
};

// Reads at most maxBytes from the start of the file at path.
Reading read(const QString& path, qint64 maxBytes);

// Makes an empty file at path where nothing is there yet, not even a link to nothing.
bool createEmpty(const QString& path);

// Whether a new file may take the place of what is at path: nothing, or a regular file, also at the end of a link.
[[nodiscard]] bool mayReplace(const QString& path, QString* errorMessage);

} // namespace RegularFile
