#pragma once

class QWidget;

// Keeps a window above all others, or releases it; nothing else about the window changes.
class WindowOrder
{
public:
    virtual ~WindowOrder() = default;

    virtual void setTopmost(QWidget* window, bool topmost) = 0;

    // True where the desktop alone stacks and places the windows, as a Wayland compositor does: a window can then
    // neither keep itself on top nor learn or choose where it is.
    virtual bool desktopPlacesWindows() const = 0;
};
