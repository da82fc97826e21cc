#include "FakeClock.h"

FakeClock::FakeClock(QDateTime start)
    : m_now(std::move(start))
{
}

Clock::Setting FakeClock::setSystemDateTime(const QDateTime& moment, Asking asking, QString* errorMessage)
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
    // The clock goes on reading in the zone the test gave it.
    m_now = m_now.timeSpec() == Qt::OffsetFromUTC ? moment.toOffsetFromUtc(m_now.offsetFromUtc())
                                                  : moment.toTimeSpec(m_now.timeSpec());
    m_settings.append(m_now);
    return Setting::Done;
}
