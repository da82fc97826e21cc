#include "PictureFile.h"

#include <QBuffer>
#include <QImageReader>

#include "core/RegularFile.h"

namespace {
// Far above the largest picture the program ships or fetches; a longer file is no picture of ours.
constexpr qint64 MaxPictureBytes = 8 * 1024 * 1024;
const QByteArray PngSignature = QByteArrayLiteral("\x89PNG\r\n\x1A\n");

// A PNG, as every picture the program ships is, goes to Qt's own reader: guessing the format would first load
// every image-format plugin of the system into the program.
QImage decoded(const QByteArray& bytes)
{
    if (!bytes.startsWith(PngSignature)) {
        return QImage::fromData(bytes);
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

QImage readPictureFile(const QString& path)
{
    const RegularFile::Reading reading = RegularFile::read(path, MaxPictureBytes);
    if (reading.status != RegularFile::Status::Read || reading.size > MaxPictureBytes) {
        return QImage();
    }
    return decoded(reading.bytes);
}
