#include "ScheduleTime.h"

#include "core/DateFormat.h"
#include "core/DateTimeRecognition.h"
#include "core/NumberText.h"
#include "core/Pattern.h"

namespace ScheduleTime {

QString shownAtLoad(const QString& stored)
{
    return matchesPattern(stored, u"*:##") ? stored : fallback();
}

QString fromTyped(const QString& typed)
{
    const QString trimmed = typed.trimmed();
    const auto recognized = recognizeDateTime(trimmed);
    if (!recognized || !recognized->time) {
        return trimmed;
    }
    return formatDate(QDate(2000, 1, 1), *recognized->time, u"hh:mm");
}

bool isValid(const QString& stored)
{
    // The range rules alone pass any text that does not begin with a number ("abc" reads as 00:00), which the
    // scheduler could never meet; the shape test refuses those.
    if (!matchesPattern(stored, u"##:##")) {
        return false;
    }
    const double hour = leadingNumber(QStringView(stored).left(2));
    const double minute = leadingNumber(QStringView(stored).right(2));
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59;
}

} // namespace ScheduleTime
