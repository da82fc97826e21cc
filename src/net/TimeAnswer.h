#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

// A time server's answer, a line as a clock command prints it ("Tue Dec  8 12:59:59 UTC 2026"), checked and turned
// into the server's time, one second later for the transfer: the whole moment where the server is trusted for the
// date (servers 1 and 2), else the time of day at Greenwich alone (server 3, and an answer in British summer time).
// This is the one place where an answer is read; what it means for the computer's clock follows from the result.
struct TimeAnswer
{
    enum class Outcome
    {
        Accepted,
        NotATimeLine, // no weekday at the start or no zone name
        NotATime,     // the time field holds no time
        UnknownZone   // a zone word other than UTC, GMT or BST
    };

    Outcome outcome = Outcome::NotATimeLine;
    // The answer's nine-character time field and its zone word as they came, for the progress list.
    QString timeField;
    QString zone;
    bool summerTime = false;
    QTime greenwichTime;
    // The moment the answer names, in UTC: present only where the server is trusted for the date and gave a
    // valid one.
    std::optional<QDateTime> moment;
};

TimeAnswer readTimeAnswer(const QString& answer, int server, const QLocale& locale = QLocale::system());
