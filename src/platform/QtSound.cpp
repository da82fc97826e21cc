#include "QtSound.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

void QtSound::play(const QString& wavPath)
{
    if (wavPath.isEmpty() || !QFileInfo(wavPath).isFile()) {
        return;
    }
    auto& effect = m_effects[wavPath];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(wavPath));
    }
    effect->stop();
    effect->play();
}

void QtSound::beep()
{
    QApplication::beep();
}
