#include "FakeClock.h"

FakeClock::FakeClock(QDateTime start)
    : m_now(std::move(start))
{
}

bool FakeClock::takeRefusal(QString* errorMessage)
{
    if (m_refusal.isEmpty()) {
        return false;
    }
    if (errorMessage) {
        *errorMessage = m_refusal;
    }
    m_refusal.clear();
    return true;
}

bool FakeClock::setSystemTime(const QTime& localTime, QString* errorMessage)
{
    if (takeRefusal(errorMessage)) {
        return false;
    }
    m_timesSet.append(localTime);
    m_now.setTime(localTime);
    return true;
}

bool FakeClock::setSystemDate(const QDate& localDate, QString* errorMessage)
{
    if (takeRefusal(errorMessage)) {
        return false;
    }
    m_datesSet.append(localDate);
    m_now.setDate(localDate);
    return true;
}
