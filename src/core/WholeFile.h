#pragma once

#include <QByteArray>
#include <QString>

// Both write the new file beside the old one and only then give it the name, so the name holds either the old file
// or the whole new one: a write that fails (a full disk, a file-size limit, a folder that cannot be written) leaves
// the old file as it was, and the message says why in words.

// Replaces the file at path with bytes. A link that HUXO may follow (see RegularFile) is written through to its
// target, which keeps its permissions; anything but a regular file there, or a link to nothing, is left alone and
// the write fails.
[[nodiscard]] bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* errorMessage = nullptr);

// Puts a new regular file at path that may be read by everyone and run by no one. Whatever the name held before (an
// older file, or a link of the user's own to anywhere) is replaced, never written through; a link of another user
// is left alone and the write fails.
[[nodiscard]] bool writeNewRegularFile(const QString& path, const QByteArray& bytes, QString* errorMessage = nullptr);
