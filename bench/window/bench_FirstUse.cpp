// What a user waits for, the first time, for what the start no longer loads: the milliseconds to load one module
// and make its service, in a process that has not used it yet (as the first Auto Set, the first alarm sound and the
// first print find it). Run from a program folder that holds the modules.
// Usage: bench_FirstUse net|sound|print
#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <map>
#include <string>

#include "net/HttpEngine.h"
#include "platform/ModulePrinter.h"
#include "platform/ModuleSound.h"
#include "platform/ProgramModule.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::map<std::string, std::pair<const char*, const char*>> modules = {
        {"net", {HttpEngine::FileName, HttpEngine::FactoryName}},
        {"sound", {ModuleSound::FileName, ModuleSound::FactoryName}},
        {"print", {ModulePrinter::FileName, ModulePrinter::FactoryName}},
    };
    const auto module = modules.find(argc > 1 ? argv[1] : "");
    if (module == modules.end()) {
        std::fprintf(stderr, "usage: bench_FirstUse net|sound|print\n");
        return 2;
    }
    const auto [fileName, factoryName] = module->second;
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
