#pragma once

#include <QByteArray>
#include <QString>

#include "core/Settings.h"

// "huxo.ini": fixed 17-byte records numbered from 1, little-endian numbers, Windows-1252 text.
namespace SettingsFile {

constexpr int RecordLength = 17;
constexpr int RecordCount = 39;
constexpr int MaxTextLength = 15;

// Reads every record from the bytes of a file; records the bytes do not reach read as zero or empty.
Settings decode(const QByteArray& fileBytes);

// The whole file: our signature in record 1, then records 2 to 39, then anything that followed them.
QByteArray encode(const Settings& settings);

// Reads the file, creating it empty when it does not exist yet. An empty or short file is not an error.
[[nodiscard]] bool read(const QString& path, Settings& settings, QString* errorMessage);

// Replaces the file in one step: on failure the old file stays as it was.
[[nodiscard]] bool write(const QString& path, const Settings& settings, QString* errorMessage);

} // namespace SettingsFile
