#pragma once

#include <map>

#include "platform/Notifier.h"

// Keeps the notifications on show, for the test to read and click.
class FakeNotifier final : public Notifier
{
public:
    struct Shown
    {
        QString title;
        QString text;
        std::function<void()> onActivated; // the user's click
    };

    Handle notify(const QString& title, const QString& text, std::function<void()> onActivated) override
    {
        shown[++m_last] = Shown{title, text, std::move(onActivated)};
        return m_last;
    }
    void withdraw(Handle handle) override { shown.erase(handle); }

    std::map<Handle, Shown> shown;

private:
    Handle m_last = 0;
};
