#pragma once

#include "platform/Printer.h"

// Prints on the default printer, the picture fitted to the page.
class SystemPrinter final : public Printer
{
public:
    [[nodiscard]] bool print(const QImage& picture, QString* errorMessage) override;
};
