#include "ModuleSound.h"

#include <QApplication>
#include <QLoggingCategory>

#include "platform/ProgramModule.h"

namespace {
Q_LOGGING_CATEGORY(lcSound, "huxo.sound")
}

ModuleSound::ModuleSound() = default;
ModuleSound::~ModuleSound() = default;

void ModuleSound::play(const QString& wavPath)
{
    if (!m_loadTried) {
        m_loadTried = true;
        QString why;
        m_playback = makeFromModule<Sound>(FileName, FactoryName, &why);
        if (!m_playback) {
            qCWarning(lcSound).noquote() << why << "Until HUXO starts again, its sounds are beeps.";
        }
    }
    if (m_playback) {
        m_playback->play(wavPath);
    } else {
        beep();
    }
}

void ModuleSound::beep()
{
    QApplication::beep();
}
