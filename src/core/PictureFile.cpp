#include "PictureFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include "core/RegularFile.h"

namespace {
// Far above the largest picture the program ships or fetches; a longer file is no picture of ours.
constexpr qint64 MaxPictureBytes = 8 * 1024 * 1024;
} // namespace

QImage readPictureFile(const QString& path)
{
    const RegularFile::Reading reading = RegularFile::read(path, MaxPictureBytes);
    if (reading.status != RegularFile::Status::Read || reading.size > MaxPictureBytes) {
        return QImage();
    }
    // The kind the name gives first: a PNG is then read by Qt itself, where guessing from the bytes would load
    // every picture plugin. A file whose name lies about its kind is still read.
    QByteArray bytes = reading.bytes;
    QBuffer buffer(&bytes);
    QImageReader named(&buffer, QFileInfo(path).suffix().toLatin1());
    named.setAutoDetectImageFormat(false);
    const QImage picture = named.read();
    return picture.isNull() ? QImage::fromData(reading.bytes) : picture;
}
