#pragma once

#include <QSet>

#include "platform/WindowOrder.h"

class FakeWindowOrder final : public WindowOrder
{
public:
    void setTopmost(QWidget* window, bool topmost) override
    {
        if (topmost) {
            m_topmost.insert(window);
        } else {
            m_topmost.remove(window);
        }
    }

    bool desktopPlacesWindows() const override { return desktopPlaces; }

    bool isTopmost(QWidget* window) const { return m_topmost.contains(window); }

    // As on a Wayland desktop.
    bool desktopPlaces = false;

private:
    QSet<QWidget*> m_topmost;
};
