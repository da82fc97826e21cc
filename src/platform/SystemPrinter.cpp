#include "SystemPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

bool SystemPrinter::print(const QImage& picture, QString* errorMessage)
{
    if (QPrinterInfo::defaultPrinter().isNull()) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("No printer is available.");
        }
        return false;
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("The printer could not be started.");
        }
        return false;
    }
    const QRect page = painter.viewport();
    const QSize fitted = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), fitted), picture);
    return painter.end();
}
