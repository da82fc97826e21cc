#pragma once

#include <QString>

#include <map>

#include "platform/Notifier.h"

// Keeps the notifications on show; the test reads them and clicks them.
class FakeNotifier final : public Notifier
{
public:
    struct Shown
    {
        QString title;
        QString text;
        std::function<void()> onActivated;
    };

    Handle notify(const QString& title, const QString& text, std::function<void()> onActivated) override
    {
        m_shown[++m_last] = Shown{title, text, std::move(onActivated)};
        return m_last;
    }
    void withdraw(Handle handle) override { m_shown.erase(handle); }

    const std::map<Handle, Shown>& shown() const { return m_shown; }
    // The user clicks the notification.
    void activate(Handle handle) const { m_shown.at(handle).onActivated(); }

private:
    std::map<Handle, Shown> m_shown;
    Handle m_last = 0;
};
