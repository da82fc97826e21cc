#pragma once

#include "platform/WindowOrder.h"

// Topmost through the window manager's stay-on-top hint, given to the window as it is.
class QtWindowOrder final : public WindowOrder
{
public:
    void setTopmost(QWidget* window, bool topmost) override;
    bool desktopPlacesWindows() const override;
};
