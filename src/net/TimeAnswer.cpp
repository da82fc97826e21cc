#include "TimeAnswer.h"

#include "core/DateTimeRecognition.h"
#include "core/Pattern.h"

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

} // namespace

TimeAnswer readTimeAnswer(const QString& answer, int server, const QLocale& locale)
{
    TimeAnswer result;
    if (!matchesPattern(answer, u"[F-W]*[B-U][M-T][C-T]*")) {
        return result;
    }
    result.timeField = charactersAt(answer, 12, 9);
    const auto recognized = recognizeDateTime(result.timeField.trimmed(), locale);
    if (!recognized || !recognized->time) {
        result.outcome = TimeAnswer::Outcome::NotATime;
        return result;
    }
    result.zone = charactersAt(answer, 20, 5).trimmed();
    result.summerTime = result.zone == u"BST";
    // Any other zone would be read hours off: a line in Eastern time is no line in Greenwich time.
    if (!result.summerTime && result.zone != u"UTC" && result.zone != u"GMT") {
        result.outcome = TimeAnswer::Outcome::UnknownZone;
        return result;
    }
    result.outcome = TimeAnswer::Outcome::Accepted;
    // The answer took about a second to arrive.
    constexpr int TransferSeconds = 1;
    const QTime asSent = *recognized->time;
    result.greenwichTime = asSent.addSecs((result.summerTime ? -3600 : 0) + TransferSeconds);

    if (trustedForTheDate(server) && !result.summerTime) {
        const QString dateText = charactersAt(answer, 5, 6).trimmed() + u' ' + answer.trimmed().right(5);
        const auto date = recognizeDateTime(dateText, locale);
        if (date && date->date && !date->time) {
            result.moment = QDateTime(*date->date, asSent, Qt::UTC).addSecs(TransferSeconds);
        }
    }
    return result;
}
