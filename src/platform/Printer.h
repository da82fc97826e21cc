#pragma once

#include <QImage>
#include <QString>

// Prints a picture of a window on the default printer.
class Printer
{
public:
    virtual ~Printer() = default;

    [[nodiscard]] virtual bool print(const QImage& picture, QString* errorMessage) = 0;
};
