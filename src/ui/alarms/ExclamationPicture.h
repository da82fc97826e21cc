#pragma once

#include <QPixmap>

// The reminder's warning sign, drawn in code so that it stays sharp at any screen resolution.
QPixmap exclamationPicture(int size, qreal devicePixelRatio);
