#pragma once

#include <QString>

// Starts a program file in a window of its own without waiting for it.
class Launcher
{
public:
    virtual ~Launcher() = default;

    [[nodiscard]] virtual bool start(const QString& programPath, QString* errorMessage) = 0;
};
