#pragma once

#include "platform/Launcher.h"

class ProcessLauncher final : public Launcher
{
public:
    [[nodiscard]] bool start(const QString& programPath, QString* errorMessage) override;
};
