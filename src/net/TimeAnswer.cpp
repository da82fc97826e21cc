#include "TimeAnswer.h"

#include "core/DateTimeRecognition.h"
#include "core/Pattern.h"
#include "core/Rounding.h"

namespace {

// Characters counted from 1, as the answer's layout is described; a start past the end gives an empty text.
QString charactersAt(const QString& text, int first, int count)
{
    return text.mid(first - 1, count);
}

bool trustedForTheDate(int server)
{
    return server == 1 || server == 2;
}

// Local minutes since midnight as the user's zone gives them, in single precision like the settings it comes from.
int localMinutes(int hours, int minutes, float offsetHours)
{
    const int total = hours * 60 + minutes;
    return int(roundHalfEven(float(total) - offsetHours * 60.0f));
}

QTime wrappedTime(int localMinutesOfDay, int seconds)
{
    int hours = localMinutesOfDay / 60;
    int minutes = localMinutesOfDay % 60;
    if (minutes < 0) {
        minutes += 60;
        hours -= 1;
    }
    if (hours >= 24) {
        hours -= 24;
    } else if (hours < 0) {
        hours += 24;
    }
    return QTime(hours, minutes, seconds);
}

// The local date differs from Greenwich's within the first hours of the day east of it, and the last ones west.
bool sameDateAsGreenwich(float offsetHours, int localHours)
{
    if (offsetHours < 0) {
        return -offsetHours <= float(localHours);
    }
    if (offsetHours > 0) {
        return float(localHours) < 24.0f - offsetHours;
    }
    return true;
}

} // namespace

TimeAnswer readTimeAnswer(const QString& answer, int server, float bOffset, qint16 bHourOn, const QLocale& locale)
{
    TimeAnswer result;
    if (!matchesPattern(answer, u"[F-W]*[B-U][M-T][C-T]*")) {
        return result;
    }
    result.summerTime = matchesPattern(charactersAt(answer, 20, 5).trimmed(), u"BS*");
    const bool dateWanted = !result.summerTime && trustedForTheDate(server);
    const QString dateText = charactersAt(answer, 5, 6).trimmed() + u' ' + answer.trimmed().right(5);

    result.timeField = charactersAt(answer, 12, 9);
    const auto recognized = recognizeDateTime(result.timeField.trimmed(), locale);
    if (!recognized || !recognized->time) {
        result.outcome = TimeAnswer::Outcome::NotATime;
        return result;
    }
    result.outcome = TimeAnswer::Outcome::Accepted;

    const QTime utc = *recognized->time;
    int hours = utc.hour() - (result.summerTime ? 1 : 0);
    int minutes = utc.minute();
    int seconds = utc.second();
    // The answer took about a second to arrive.
    if (seconds == 59) {
        seconds = 0;
        minutes += 1;
    } else {
        seconds += 1;
    }
    // That second may carry the answer into the next day at Greenwich.
    const int greenwichDayShift = hours * 60 + minutes >= 24 * 60 ? 1 : 0;
    const float offsetHours = float(bHourOn) + bOffset;
    result.localTime = wrappedTime(localMinutes(hours, minutes, offsetHours), seconds);

    if (dateWanted && sameDateAsGreenwich(offsetHours, result.localTime.hour())) {
        const auto date = recognizeDateTime(dateText, locale);
        if (date && date->date && !date->time) {
            result.date = date->date->addDays(greenwichDayShift);
        }
    }
    return result;
}
