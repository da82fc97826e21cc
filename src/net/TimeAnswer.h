#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

// A time server's answer, a line as a clock command prints it ("Tue Dec  8 12:59:59 UTC 2026"), checked and
// turned into the local time to set: one second later for the transfer, moved by the user's own zone. Servers 1
// and 2 are trusted for the date, server 3 for the time only; a British summer time answer never sets the date.
struct TimeAnswer
{
    enum class Outcome
    {
        Accepted,
        NotATimeLine, // no weekday at the start or no zone name
        NotATime      // the time field holds no time
    };

    Outcome outcome = Outcome::NotATimeLine;
    // The answer's nine-character time field as it came, for the progress list.
    QString timeField;
    bool summerTime = false;
    QTime localTime;
    // The date to set, present only when it is trusted, valid and the same at the user's place as at Greenwich.
    std::optional<QDate> date;
};

// bOffset and bHourOn are the GMT / UTC clock's settings: minus the local zone's hours and minus its summer hour.
TimeAnswer readTimeAnswer(
    const QString& answer, int server, float bOffset, qint16 bHourOn, const QLocale& locale = QLocale::system());
