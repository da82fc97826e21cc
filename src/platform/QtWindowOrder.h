#pragma once

#include "platform/WindowOrder.h"

// Topmost through the window manager's stay-on-top hint.
class QtWindowOrder final : public WindowOrder
{
public:
    void setTopmost(QWidget* window, bool topmost) override;
};
