#pragma once

#include <memory>

#include "platform/Sound.h"

// The sound of the program: Qt Multimedia's playback, loaded with the first sound played. Without its module the
// program beeps instead and says once why.
class ModuleSound final : public Sound
{
public:
    ModuleSound();
    ~ModuleSound() override;

    void play(const QString& wavPath) override;
    void beep() override;

    // The module's file and its factory.
    static constexpr const char* FileName = "libhuxo-sound.so";
    static constexpr const char* FactoryName = "huxoMakeSound";

private:
    std::unique_ptr<Sound> m_playback;
    bool m_loadTried = false;
};
