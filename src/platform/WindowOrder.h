#pragma once

class QWidget;

// Keeps a window above all others, or releases it; nothing else about the window changes.
class WindowOrder
{
public:
    virtual ~WindowOrder() = default;

    virtual void setTopmost(QWidget* window, bool topmost) = 0;
};
