// What a user waits for, the first time, for what the start no longer loads: the milliseconds to load one module
// and make its service, in a process that has not used it yet (as the first Auto Set, the first alarm sound and the
// first print find it). Run from a program folder that holds the modules.
// Usage: bench_FirstUse net|sound|print
#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

#include "net/HttpEngine.h"
#include "platform/ModulePrinter.h"
#include "platform/ModuleSound.h"
#include "platform/ProgramModule.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const char* which = argc > 1 ? argv[1] : "";
    const auto [fileName, factoryName] = std::strcmp(which, "net") == 0
                                             ? std::pair(HttpEngine::FileName, HttpEngine::FactoryName)
                                         : std::strcmp(which, "sound") == 0
                                             ? std::pair(ModuleSound::FileName, ModuleSound::FactoryName)
                                             : std::pair(ModulePrinter::FileName, ModulePrinter::FactoryName);
    QString why;
    QElapsedTimer timer;
    timer.start();
    void* service = makeFromModule(fileName, factoryName, &why);
    const qint64 nanoseconds = timer.nsecsElapsed();
    if (!service) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    std::printf("%.2f\n", nanoseconds / 1e6);
    return 0;
}
