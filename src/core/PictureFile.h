#pragma once

#include <QImage>
#include <QString>

// The pictures of the program folder (the map, the globe, the newsletter's picture, ...) are files a user or a
// download may replace by anything. They are read as the other files are, through RegularFile: a named pipe or a
// device in a picture's place gives no picture instead of a program that hangs or fills its memory.
[[nodiscard]] QImage readPictureFile(const QString& path);
