#include "ModulePrinter.h"

#include <QLoggingCategory>

#include "platform/ProgramModule.h"

namespace {
Q_LOGGING_CATEGORY(lcPrint, "huxo.print")
}

ModulePrinter::ModulePrinter() = default;
ModulePrinter::~ModulePrinter() = default;

bool ModulePrinter::print(const QImage& picture, QString* errorMessage)
{
    // Tried again at every print, so that a module put back while the program runs is found.
    if (!m_printing) {
        QString why;
        m_printing = makeFromModule<Printer>(FileName, FactoryName, &why);
        if (!m_printing) {
            // The window tells the user that nothing was printed; the log says why.
            qCWarning(lcPrint).noquote() << why;
            if (errorMessage) {
                *errorMessage = why;
            }
            return false;
        }
    }
    return m_printing->print(picture, errorMessage);
}
