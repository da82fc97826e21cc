#pragma once

#include <QList>

#include "platform/Clock.h"

// A clock the test sets and advances. Setting the "system" time moves this clock, never the real one.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2024, 3, 1), QTime(12, 0)));

    QDateTime now() const override { return m_now; }
    bool keptInStepBySystem() const override { return m_keptInStep; }
    [[nodiscard]] Setting setSystemDateTime(const QDateTime& moment, Asking asking, QString* errorMessage) override;

    void setNow(const QDateTime& now) { m_now = now; }
    void advanceSeconds(int seconds) { m_now = m_now.addSecs(seconds); }
    void setKeptInStepBySystem(bool kept) { m_keptInStep = kept; }
    // The next set fails so, with this message.
    void refuseNextSet(const QString& message, Setting setting = Setting::Refused)
    {
        m_refusal = message;
        m_refusalSetting = setting;
    }
    // From now on the clock is set only where the system may ask for the right, as for a user who must type a
    // password.
    void requireAsking() { m_askingRequired = true; }

    int setCount() const { return int(m_settings.size()); }
    // Each setting made, as the clock read right after it.
    const QList<QDateTime>& settings() const { return m_settings; }
    // How each request to set the clock, refused or not, let the system ask.
    const QList<Asking>& askings() const { return m_askings; }

private:
    QDateTime m_now;
    bool m_keptInStep = false;
    bool m_askingRequired = false;
    QString m_refusal;
    Setting m_refusalSetting = Setting::Refused;
    QList<QDateTime> m_settings;
    QList<Asking> m_askings;
};
