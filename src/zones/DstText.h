#pragma once

#include <QByteArray>
#include <QString>

// "dst.txt": one record of 32767 bytes holding a 16-bit little-endian length and that many bytes of Windows-1252
// text. Only the first record is read.
namespace DstText {

constexpr int RecordLength = 32767;
constexpr int MaxTextLength = RecordLength - 2;
// A shorter text is not worth showing: the built-in notice stands in for it.
constexpr int MinimumLength = 1000;

// The text of a record. A length that claims more than the bytes hold, or more than the record can, gives what
// is really there; fewer than two bytes give an empty text.
QString decodeRecord(const QByteArray& bytes);

// The text of the file at path, which is created empty when it does not exist. A file that cannot be opened, or
// is no regular file (a named pipe, a device, a link to nothing), reads as an empty text, as a missing one does.
[[nodiscard]] QString readFile(const QString& path);

// Replaces the file at path whole, with a new file holding text as its first record. A text longer than a record
// holds, or a file that cannot be written, gives false with the reason and leaves the old file as it was.
[[nodiscard]] bool writeFile(const QString& path, const QString& text, QString* errorMessage = nullptr);

// What the window shows when the file is missing or too short: 36 lines, each ended by CR LF.
QString builtInNotice();

} // namespace DstText
