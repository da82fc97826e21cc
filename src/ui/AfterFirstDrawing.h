#pragma once

#include <functional>

class QWidget;

// Runs task once a shown window has drawn itself for the first time, or at once (from the event loop) when it was
// shown minimised and draws nothing: work its first sight does not need waits until the window is on the screen.
void afterFirstDrawing(QWidget& window, std::function<void()> task);
