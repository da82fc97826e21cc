#include "Module1.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>

#include "core/ClockView.h"
#include "core/ProgramTitle.h"
#include "core/SettingsFile.h"
#include "platform/Dialogs.h"
#include "platform/Sound.h"
#include "platform/WindowOrder.h"

namespace {
const QString SettingsFileName = QStringLiteral("huxo.ini");
}

Module1::Module1(Services services, QString programFolder)
    : m_services(services)
    , m_programFolder(std::move(programFolder))
{
    AppPath = AppDir();
}

QString Module1::programFolder() const
{
    const QString folder = QDir::fromNativeSeparators(m_programFolder);
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString Module1::AppDir() const
{
    // Only a folder that is there and refuses writing is a read-only install; anything else keeps the old
    // behaviour, so that a missing folder is still reported by the file operations.
    const QFileInfo program(programFolder());
    if (!program.isDir() || program.isWritable()) {
        return programFolder();
    }
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/huxo/");
    // When the folder cannot be made, the settings file's own error messages name the path that failed.
    QDir().mkpath(userFolder);
    return userFolder;
}

QString Module1::assetFile(const QString& bareName) const
{
    const QString own = programFile(bareName);
    if (AppPath == programFolder() || QFileInfo::exists(own)) {
        return own;
    }
    return programFolder() + bareName;
}

void Module1::LoadSettings()
{
    AppPath = AppDir();
    QString error;
    Settings& settings = *this;
    const QString path = QDir::toNativeSeparators(programFile(SettingsFileName));
    switch (SettingsFile::read(programFile(SettingsFileName), settings, &error)) {
    case SettingsFile::ReadResult::Read:
        return;
    case SettingsFile::ReadResult::Shortened:
        m_services.dialogs.tell(
            QStringLiteral("HUXO's settings file %1 is far longer than HUXO writes it:\n%2").arg(path, error),
            ProgramTitle(),
            Dialogs::Icon::Exclamation);
        return;
    case SettingsFile::ReadResult::Failed:
        m_services.dialogs.tell(QStringLiteral("HUXO could not read its settings file %1:\n%2\n\n"
                                               "HUXO starts with its first-run settings.")
                                    .arg(path, error),
                                ProgramTitle(),
                                Dialogs::Icon::Exclamation);
        return;
    }
}

bool Module1::SaveSettings(SavingAt when)
{
    AppPath = AppDir();
    QString error;
    if (SettingsFile::write(programFile(SettingsFileName), *this, &error)) {
        return true;
    }
    const QString outcome = when == SavingAt::Exit
                                ? QStringLiteral("The file was left as it was: HUXO will start next time with the "
                                                 "settings it last saved.")
                                : QStringLiteral("The file was left as it was. Your changes stay in effect until "
                                                 "HUXO is closed.");
    m_services.dialogs.tell(QStringLiteral("HUXO could not save its settings to %1:\n%2\n\n%3")
                                .arg(QDir::toNativeSeparators(programFile(SettingsFileName)), error, outcome),
                            ProgramTitle(),
                            Dialogs::Icon::Exclamation);
    return false;
}

void Module1::OnTop(QWidget* window)
{
    m_services.windowOrder.setTopmost(window, true);
}

void Module1::OffTop(QWidget* window)
{
    m_services.windowOrder.setTopmost(window, false);
}

void Module1::PlayWav(const QString& wavPath)
{
    if (wavPath.isEmpty()) {
        return;
    }
    // Windows ask for their click sounds in AppPath; a read-only install has them only in the program folder.
    const QString bareName = wavPath.mid(AppPath.size());
    if (wavPath.startsWith(AppPath) && !bareName.contains(u'/')) {
        m_services.sound.play(assetFile(bareName));
    } else {
        m_services.sound.play(wavPath);
    }
}

void Module1::ShowCaptions()
{
    if (!m_mainWindow) {
        return;
    }
    const std::array<const QString*, 5> captions = {&CCaption, &DCaption, &ECaption, &FCaption, &GCaption};
    for (size_t i = 0; i < captions.size(); ++i) {
        m_mainWindow->setCaptionText(int(i) + 3, *captions[i]);
    }
}
