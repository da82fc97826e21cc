#include "DailyRun.h"

#include "core/Module1.h"
#include "core/RegularFile.h"
#include "core/ScheduleTime.h"
#include "core/WholeFile.h"

namespace {

const QString DayFileName = QStringLiteral("actday.txt");
constexpr qint64 DayFileMaxBytes = 64;

// The date and time a reading shows, as one line on which an hour repeated or skipped at a change of summer time
// lies where its face puts it.
QDateTime faceOf(const QDateTime& reading)
{
    return QDateTime(reading.date(), reading.time(), Qt::UTC);
}

} // namespace

DailyRun::DailyRun(const Module1& module)
    : m_module(module)
{
}

std::optional<QDate> DailyRun::dayDueAt(const QDateTime& now)
{
    const QDateTime face = faceOf(now);
    const QDateTime lastLook = m_lastLook.isValid() ? m_lastLook : face.addSecs(-60);
    m_lastLook = face;
    const std::optional<QString>& chosen = m_module.ACTime;
    if (!chosen || !ScheduleTime::isValid(*chosen)) {
        return std::nullopt;
    }
    // The latest time the clock read the chosen minute: today's, or yesterday's before it comes round today.
    QDateTime latest(face.date(), QTime::fromString(*chosen, QStringLiteral("hh:mm")), Qt::UTC);
    if (latest > face) {
        latest = latest.addDays(-1);
    }
    if (latest <= lastLook || hadItsRun(latest.date())) {
        return std::nullopt;
    }
    return latest.date();
}

void DailyRun::markRun(const QDate& day)
{
    m_lastRun = day;
    // A file that cannot be written leaves the day remembered for as long as the program runs: nobody is there at
    // the chosen minute to read a message about it.
    (void)writeNewRegularFile(m_module.programFile(DayFileName), day.toString(Qt::ISODate).toLatin1() + '\n');
}

bool DailyRun::hadItsRun(const QDate& day) const
{
    if (m_lastRun == day) {
        return true;
    }
    const RegularFile::Reading file = RegularFile::read(m_module.programFile(DayFileName), DayFileMaxBytes);
    return file.status == RegularFile::Status::Read
           && QDate::fromString(QString::fromLatin1(file.bytes).trimmed(), Qt::ISODate) == day;
}
