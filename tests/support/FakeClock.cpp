#include "FakeClock.h"

FakeClock::FakeClock(QDateTime start)
    : m_now(std::move(start))
{
}

Clock::Setting FakeClock::attempt(Asking asking, QString* errorMessage, const std::function<void()>& change)
{
    m_askings.append(asking);
    if (m_askingRequired && asking == Asking::MustNotAsk) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("You are not allowed to set the system clock: Interactive authentication "
                                           "required.");
        }
        return Setting::RightsMissing;
    }
    if (!m_refusal.isEmpty()) {
        if (errorMessage) {
            *errorMessage = m_refusal;
        }
        m_refusal.clear();
        return m_refusalSetting;
    }
    change();
    return Setting::Done;
}

Clock::Setting FakeClock::setSystemTime(const QTime& localTime, Asking asking, QString* errorMessage)
{
    return attempt(asking, errorMessage, [this, localTime] {
        m_timesSet.append(localTime);
        m_now.setTime(localTime);
    });
}

Clock::Setting FakeClock::setSystemDate(const QDate& localDate, Asking asking, QString* errorMessage)
{
    return attempt(asking, errorMessage, [this, localDate] {
        m_datesSet.append(localDate);
        m_now.setDate(localDate);
    });
}
