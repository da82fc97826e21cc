#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, all or nothing: a write that fails (a full disk, a folder that cannot be
// written) leaves the old file as it was.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* errorMessage = nullptr);

// Puts a new regular file at path, written whole before it takes the name: whatever the name held before (an
// older file, or a symbolic link to anywhere) is replaced, never written through, and stays as it was when the
// write fails. The file may be read by everyone and run by no one.
bool writeNewRegularFile(const QString& path, const QByteArray& bytes, QString* errorMessage = nullptr);
