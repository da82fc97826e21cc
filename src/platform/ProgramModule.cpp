#include "ProgramModule.h"

#include <QCoreApplication>
#include <QFile>

#include <dlfcn.h>

namespace {

// The loader's own words, which name the file; the file's path when it has none.
QString loaderError(const QString& path)
{
    const char* error = ::dlerror();
    return error ? QString::fromLocal8Bit(error) : path;
}

} // namespace

void* makeFromModule(const char* fileName, const char* factoryName, QString* why)
{
    // A module the process holds already (a test program links them) is taken as it is.
    void* module = ::dlopen(fileName, RTLD_NOW | RTLD_NOLOAD);
    const QString path = QCoreApplication::applicationDirPath() + u'/' + QString::fromLatin1(fileName);
    if (!module) {
        module = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    }
    using Factory = void* (*)();
    const auto factory = module ? reinterpret_cast<Factory>(::dlsym(module, factoryName)) : nullptr;
    if (!factory) {
        if (why) {
            *why = QStringLiteral("A part of HUXO could not be loaded: %1. Installing HUXO again puts it back.")
                       .arg(loaderError(path));
        }
        return nullptr;
    }
    return factory();
}
