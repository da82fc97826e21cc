#include "PictureFile.h"

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
    return QImage::fromData(reading.bytes);
}
