#pragma once

#include <QList>

#include "platform/Clock.h"

// A clock the test sets and advances. Setting the "system" time moves this clock, never the real one.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2024, 3, 1), QTime(12, 0)));

    QDateTime now() const override { return m_now; }
    [[nodiscard]] bool setSystemTime(const QTime& localTime, QString* errorMessage) override;
    [[nodiscard]] bool setSystemDate(const QDate& localDate, QString* errorMessage) override;

    void setNow(const QDateTime& now) { m_now = now; }
    void advanceSeconds(int seconds) { m_now = m_now.addSecs(seconds); }
    // The next set fails with this message.
    void refuseNextSet(const QString& message) { m_refusal = message; }

    int setCount() const { return int(m_timesSet.size() + m_datesSet.size()); }
    const QList<QTime>& timesSet() const { return m_timesSet; }
    const QList<QDate>& datesSet() const { return m_datesSet; }

private:
    [[nodiscard]] bool takeRefusal(QString* errorMessage);

    QDateTime m_now;
    QString m_refusal;
    QList<QTime> m_timesSet;
    QList<QDate> m_datesSet;
};
