#pragma once

#include <QStringList>

#include "platform/Sound.h"

class FakeSound final : public Sound
{
public:
    void play(const QString& wavPath) override { m_played.append(wavPath); }
    void beep() override { ++m_beeps; }

    const QStringList& played() const { return m_played; }
    int beeps() const { return m_beeps; }
    void clear()
    {
        m_played.clear();
        m_beeps = 0;
    }

private:
    QStringList m_played;
    int m_beeps = 0;
};
