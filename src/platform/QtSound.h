#pragma once

#include <map>
#include <memory>

#include "platform/Sound.h"

class QSoundEffect;

// Plays WAV files through Qt Multimedia, one loaded effect kept per file.
class QtSound final : public Sound
{
public:
    QtSound();
    ~QtSound() override;

    void play(const QString& wavPath) override;
    void beep() override;

private:
    std::map<QString, std::unique_ptr<QSoundEffect>> m_effects;
};
