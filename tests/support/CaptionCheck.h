#pragma once

#include <QImage>
#include <QStringList>

#include "ui/main/CaptionLabel.h"
#include "zones/ZoneTable.h"

// Captions the caption row must show whole: every place the map offers, and captions as long as the caption box
// takes.
inline QStringList captionsToShowWhole()
{
    QStringList captions = {QStringLiteral("MEXICO CITY"),
                            QStringLiteral("RIO DE JANEIRO"),
                            QStringLiteral("ST PETERSBURG"),
                            QStringLiteral("ADDIS ABABA ETH"),
                            QStringLiteral("BUENOS AIRES AR")};
    for (const ZoneRow& row : zoneRows()) {
        captions += row.places;
    }
    return captions;
}

// Whether letters touch an edge of the label's column, where a caption cut at both ends has them.
inline bool inkAtTheEdges(CaptionLabel& label)
{
    const QImage image = label.grab().toImage();
    const QColor background = image.pixelColor(image.width() / 2, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x : {0, image.width() - 1}) {
            if (image.pixelColor(x, y) != background) {
                return true;
            }
        }
    }
    return false;
}

// What is wrong with how the label shows its caption; empty when it is read whole.
inline QString captionFault(CaptionLabel& label)
{
    if (label.shownText() != label.text()) {
        return label.text() + u": shown as " + label.shownText();
    }
    if (inkAtTheEdges(label)) {
        return label.text() + u": letters at the edge of its column";
    }
    return {};
}
