#include "WholeFile.h"

#include <QSaveFile>

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
