#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, all or nothing: a write that fails (a full disk, a folder that cannot be
// written) leaves the old file as it was.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* errorMessage = nullptr);
