#pragma once

#include <QString>

#include <functional>

// Notifications on the desktop, outside the program's own windows.
class Notifier
{
public:
    using Handle = quint32;

    virtual ~Notifier() = default;

    // Posts a notification where the session shows them; a click on it calls onActivated. Nothing shows where the
    // session has no notification service. The handle is for withdraw.
    virtual Handle notify(const QString& title, const QString& text, std::function<void()> onActivated) = 0;
    // Takes a notification away, as when what it announced is over; an unknown handle is ignored.
    virtual void withdraw(Handle handle) = 0;
};
