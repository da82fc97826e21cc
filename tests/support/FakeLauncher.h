#pragma once

#include <QStringList>

#include "platform/Launcher.h"

class FakeLauncher final : public Launcher
{
public:
    [[nodiscard]] bool start(const QString& programPath, QString* errorMessage) override
    {
        m_started.append(programPath);
        if (m_fails && errorMessage) {
            *errorMessage = QStringLiteral("could not start");
        }
        return !m_fails;
    }

    void setFails(bool fails) { m_fails = fails; }
    const QStringList& started() const { return m_started; }

private:
    QStringList m_started;
    bool m_fails = false;
};
