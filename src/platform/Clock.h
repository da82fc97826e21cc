#pragma once

#include <QDateTime>
#include <QString>

// The computer's clock: read by every tick, set by the time windows.
class Clock
{
public:
    virtual ~Clock() = default;

    // The present local date and time.
    virtual QDateTime now() const = 0;

    // Set the time of day, keeping today's date; the time is local.
    [[nodiscard]] virtual bool setSystemTime(const QTime& localTime, QString* errorMessage) = 0;

    // Set the date, keeping the time of day.
    [[nodiscard]] virtual bool setSystemDate(const QDate& localDate, QString* errorMessage) = 0;
};
