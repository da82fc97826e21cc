#pragma once

#include <QByteArray>
#include <QString>

#include "core/Settings.h"
#include "core/SettingsRecords.h"

// "huxo.ini": fixed 17-byte records numbered from 1, little-endian numbers, Windows-1252 text.
namespace SettingsFile {

constexpr int RecordLength = 17;
constexpr int RecordCount = SettingsRecords::LastRecord;
constexpr int MaxTextLength = 15;
// What a file may hold after the last record and have kept: room for thousands of records a later version might add,
// and still nothing to notice when the file is read and written whole at every save.
constexpr int MaxBeyondLastRecord = 64 * 1024;

enum class ReadResult
{
    Read,
    Shortened, // read, but the file is longer than settings can be: only its start is kept; errorMessage says so
    Failed,    // nothing could be read: the settings are those of a first run; errorMessage says why
};

// Reads every record from the bytes of a file, each value brought into its range; records the bytes do not reach
// read as zero or empty.
Settings decode(const QByteArray& fileBytes);

// The whole file: our signature in record 1, then every record of SettingsRecords, then anything that followed them.
QByteArray encode(const Settings& settings);

// Reads the file, creating it empty when it does not exist yet. An empty or short file is not an error; anything
// but a regular file (or a link to one) is not read at all.
[[nodiscard]] ReadResult read(const QString& path, Settings& settings, QString* errorMessage);

// Replaces the file in one step: on failure the old file stays as it was. A link is written through to its target
// as writeWholeFile has it.
[[nodiscard]] bool write(const QString& path, const Settings& settings, QString* errorMessage);

} // namespace SettingsFile
