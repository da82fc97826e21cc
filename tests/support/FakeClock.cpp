#include "FakeClock.h"

FakeClock::FakeClock(QDateTime start)
    : m_now(std::move(start))
{
}

Clock::Setting FakeClock::refusal(Asking asking, QString* errorMessage)
{
    m_askings.append(asking);
    if (m_askingRequired && asking == Asking::MustNotAsk) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("You are not allowed to set the system clock: Interactive authentication "
                                           "required.");
        }
        return Setting::RightsMissing;
    }
    if (m_refusal.isEmpty()) {
        return Setting::Done;
    }
    if (errorMessage) {
        *errorMessage = m_refusal;
    }
    m_refusal.clear();
    return m_refusalSetting;
}

Clock::Setting FakeClock::setSystemTime(const QTime& localTime, Asking asking, QString* errorMessage)
{
    const Setting setting = refusal(asking, errorMessage);
    if (setting == Setting::Done) {
        m_timesSet.append(localTime);
        m_now.setTime(localTime);
    }
    return setting;
}

Clock::Setting FakeClock::setSystemDate(const QDate& localDate, Asking asking, QString* errorMessage)
{
    const Setting setting = refusal(asking, errorMessage);
    if (setting == Setting::Done) {
        m_datesSet.append(localDate);
        m_now.setDate(localDate);
    }
    return setting;
}
