#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// A font of the windows' design, by its Windows family name; where that family is not installed, the
// metric-compatible Liberation face stands in (Serif for Times New Roman, Sans for the others), so texts keep the
// widths the layout was made for.
inline QFont designFont(const QString& designFamily, int pixelSize, bool bold = false)
{
    QFont font;
    const bool serif = designFamily == QLatin1String("Times New Roman");
    font.setFamilies({designFamily,
                      serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The face of the secondary windows' labels, boxes and buttons: 8 points at 96 dpi.
inline QFont dialogFont()
{
    return designFont(QStringLiteral("MS Sans Serif"), 11);
}
