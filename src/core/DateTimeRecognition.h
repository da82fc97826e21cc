#pragma once

#include <QDate>
#include <QLocale>
#include <QTime>

#include <optional>

struct RecognizedDateTime
{
    std::optional<QDate> date;
    std::optional<QTime> time;
};

// Recognises a time ("h:mm", "hh:mm:ss", either with AM/PM), a date ("Dec 8 2026", "December 8, 2026",
// "2026-12-08"), the locale's short and long date and time forms, or a date followed by a time. Blanks around the
// text do not count. Gives nothing for any other text, and takes time in proportion to the text's length.
std::optional<RecognizedDateTime> recognizeDateTime(QStringView text, const QLocale& locale = QLocale::system());

bool isDateOrTime(QStringView text, const QLocale& locale = QLocale::system());
