#pragma once

#include <QString>

#include "core/Endpoints.h"
#include "core/Settings.h"
#include "core/StateCodes.h"
#include "platform/Services.h"

class ClockView;
class QWidget;

// The shared module: every remembered setting (inherited, under its own name), the run-time values that the
// windows share, and the small operations they all use. One instance lives for the whole program.
class Module1 : public Settings
{
public:
    // programFolder is the folder the program's files live in; the real program passes its own folder.
    Module1(Services services, QString programFolder);

    // Run-time shared values, never stored.
    QString AppPath;  // the program folder with a trailing separator
    QString SetClock; // letter "B" to "G" of the clock whose settings window is open
    RedrawRequest Redraw = RedrawRequest::None;
    SchedulerState ACTState = SchedulerState::Idle;
    NetOutcome NetStatus = NetOutcome::Pending;
    ClockOutcome LastClockOutcome = ClockOutcome::NotChecked; // beside NetStatus
    qint16 Tries = 0;    // time-server requests since one last answered; outlives the system time window
    QString MServerBase; // update server base address in use, without scheme, ending with "/"
    Endpoints NetEndpoints = shippedEndpoints(); // tests point these at a loopback server

    // What the clock settings window is editing; kept here so that it outlives the window.
    float SetOffset = 0;           // hours east of GMT
    qint16 SetHourOn = 0;          // seasonal hour, 0 or 1
    QString SetCaption;            // the caption box's text
    Flag NoAutoScroll = Flag::Off; // on while changes of the hour display leave the map where it is

    // The folder the program's own files live in: the program folder, or, when that cannot be written (a
    // system-wide install), the per-user folder $XDG_DATA_HOME/huxo/, created on first use.
    QString AppDir() const;

    // Reads "huxo.ini" into the settings; a file that cannot be read (or is no regular file) is reported and leaves
    // them at zero, and one far too long is reported and read from its start.
    void LoadSettings();
    enum class SavingAt
    {
        Work, // while HUXO runs on
        Exit, // as HUXO closes
    };
    // Writes "huxo.ini". On failure the user is told in a message box and both the old file and the values in
    // memory are kept, so callers need not act on the answer.
    bool SaveSettings(SavingAt when = SavingAt::Work);

    void OnTop(QWidget* window);
    void OffTop(QWidget* window);
    // A missing sound in the per-user folder is played from the program folder (see assetFile).
    void PlayWav(const QString& wavPath);
    // The click a window makes when used: b.wav, or the sound a window clicks with instead.
    void playClick(const char* bareName = "b.wav") { PlayWav(programFile(QLatin1String(bareName))); }
    // Shows the captions of clocks C to G in the main window's caption row.
    void ShowCaptions();

    // The main window registers itself here for ShowCaptions, and leaves when it is destroyed.
    void setMainWindow(ClockView* mainWindow) { m_mainWindow = mainWindow; }
    void forgetMainWindow(const ClockView* leaving)
    {
        if (m_mainWindow == leaving) {
            m_mainWindow = nullptr;
        }
    }

    // A file the program reads or writes, by bare name: it lives in AppPath.
    QString programFile(const QString& bareName) const { return AppPath + bareName; }
    // A file shipped with the program (a sound, a picture, an accessory), by bare name: the user's own copy in
    // AppPath when there is one, else the one installed in the program folder.
    QString assetFile(const QString& bareName) const;

    Services& services() { return m_services; }

private:
    QString programFolder() const;

    Services m_services;
    QString m_programFolder;
    ClockView* m_mainWindow = nullptr;
};
