#pragma once

#include <QImage>

// The face picture of the clocks: a light dial with a rim, twelve hour marks and a centre boss, on a
// transparent ground so that the window's background shows around it. Drawn at the size it is shown, and in
// quieter tones for a dark window.
QImage renderFacePicture(const QSize& deviceSize, bool onDarkWindow);
