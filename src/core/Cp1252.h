#pragma once

#include <QByteArray>
#include <QString>

// Text in the settings and information files is Windows-1252, one byte a character.
QString fromCp1252(const QByteArray& bytes);

// Characters that Windows-1252 cannot hold become '?'.
QByteArray toCp1252(QStringView text);

// Whether Windows-1252 holds the character, so that it reads back as it was written.
bool fitsCp1252(QChar character);
