#pragma once

#include <memory>

#include "platform/Printer.h"

// Printing through Qt Print Support, loaded with the first print.
class ModulePrinter final : public Printer
{
public:
    ModulePrinter();
    ~ModulePrinter() override;

    [[nodiscard]] bool print(const QImage& picture, QString* errorMessage) override;

    // The module's file and its factory.
    static constexpr const char* FileName = "libhuxo-print.so";
    static constexpr const char* FactoryName = "huxoMakePrinter";

private:
    std::unique_ptr<Printer> m_printing;
};
