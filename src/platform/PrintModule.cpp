// The print module: Qt Print Support, loaded with the first print.
#include "platform/SystemPrinter.h"

extern "C" Q_DECL_EXPORT void* huxoMakePrinter()
{
    return static_cast<Printer*>(new SystemPrinter);
}
