#pragma once

#include <QWidget>

#include "core/StateCodes.h"

class EventHooks;
class Forms;
class Module1;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

// The preferences window. Each control writes its setting at once; the schedule time is checked, and the
// settings file written, when the window closes.
class PrefsFrm final : public QWidget
{
    Q_OBJECT

public:
    PrefsFrm(Module1& module, Forms& forms);
    ~PrefsFrm() override;

    // On once the mouse has been over Black or a key was pressed on the colour options: selecting Black otherwise,
    // as the load does, changes nothing.
    Flag ColArmed = Flag::Off;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* Frame3 = nullptr;     // "When on taskbar show..."
    QRadioButton* Option3 = nullptr; // the taskbar button shows the local time
    QRadioButton* Option1 = nullptr; // the taskbar button shows clock 3's time

    QGroupBox* Frame7 = nullptr;      // "Auto Scheduler"; passing over it starts or stops the scheduler
    QCheckBox* AutoChk = nullptr;     // turns the daily auto-correct on
    QLineEdit* AutCorrTime = nullptr; // the time of day of the auto-correct, HH:MM
    QCheckBox* GetCTchk = nullptr;    // fetches the HUXO TIMES and DST updates with the auto-correct

    QGroupBox* Frame5 = nullptr;     // "Display"
    QRadioButton* Option2 = nullptr; // the clock window in the system's colours
    QRadioButton* Black = nullptr;   // the clock window in black

    QGroupBox* Frame4 = nullptr;       // "Internet Connection", taller while a proxy is chosen
    QRadioButton* SystemOpt = nullptr; // connects as the system is set up to
    QRadioButton* DirectOpt = nullptr; // connects directly
    QRadioButton* Proxy = nullptr;     // connects through the proxy named below
    QLineEdit* Text1 = nullptr;        // the proxy server's name

    QGroupBox* Frame1 = nullptr;     // "Startup Position"
    QRadioButton* MinOpt = nullptr;  // starts as a button on the taskbar
    QRadioButton* NormOpt = nullptr; // starts with the clock window on the desktop

    void buildFrames();
    void buildOptions();
    void buildSchedulerControls();
    void buildProxyControls();

    void Form_Load();
    bool Form_QueryUnload();
    void Form_Unload();
    void Option3_Click();
    void Option1_Click();
    void AutoChk_Click();
    void Option2_Click();
    void Black_Click();
    void SystemOpt_Click();
    void DirectOpt_Click();
    void Proxy_Click();
    void Text1_Change();
    void MinOpt_Click();
    void NormOpt_Click();
    void Frame7_MouseMove();
    void Form_MouseMove();

    void setConnectionFrameHeight(int twips);
    void followSchedulerSetting();

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
};
