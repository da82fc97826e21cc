#pragma once

#include <QString>

// Short sounds: played without waiting, a missing file or an absent sound device is silently ignored.
class Sound
{
public:
    virtual ~Sound() = default;

    virtual void play(const QString& wavPath) = 0;
    virtual void beep() = 0;
};
