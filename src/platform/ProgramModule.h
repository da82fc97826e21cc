#pragma once

#include <QString>

#include <memory>

// What a tick never needs (the HTTP client, sound, printing) lives in libraries of its own beside the binary, each
// loaded the first time a user needs it, so that a start maps no more than a bare Qt window does. A module offers
// one factory, extern "C", that returns a new service of the seam's type as void*. A module stays loaded once it
// is: objects it made may be in use until the program ends.

// Makes a service with factoryName of the module fileName (loaded now if it is not yet); null, and *why naming the
// file, when the module cannot be loaded or lacks the factory.
[[nodiscard]] void* makeFromModule(const char* fileName, const char* factoryName, QString* why);

template <class Service>
std::unique_ptr<Service> makeFromModule(const char* fileName, const char* factoryName, QString* why)
{
    return std::unique_ptr<Service>(static_cast<Service*>(makeFromModule(fileName, factoryName, why)));
}
