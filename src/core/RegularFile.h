#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <sys/stat.h>

// The files of the program folder are the user's to replace by anything at all. Only a regular file, or a link to
// one, is ever opened: a named pipe would block the program and a device could feed it without end. A link is
// followed to read and to write, but never to create its target, and only when it is the user's own or the
// folder owner's: a link that someone else put in the folder is a trap, set to make HUXO read or overwrite a file
// of theirs or of a third user in the user's name (the rule the kernel applies to links in shared folders such as
// /tmp, here applied in every folder).
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

// Where a name leads, its links followed as far as they may be.
struct Target
{
    QString path;                    // the name at the end of the links; the name itself when it is no link
    std::optional<struct stat> file; // the regular file there; none when there is nothing to use
    QString error;                   // why there is nothing to use; empty when nothing at all is there
    bool foreignLink = false;        // a link of another user is on the way: nothing there may be touched
};

[[nodiscard]] Target follow(const QString& path);

// Reads at most maxBytes from the start of the file at path.
[[nodiscard]] Reading read(const QString& path, qint64 maxBytes);

// Makes an empty file at path where nothing is there yet, not even a link to nothing.
bool createEmpty(const QString& path);

// What a failed call of the system means, in words: a full disk and a file-size limit say so.
QString errorText(int error);

} // namespace RegularFile
