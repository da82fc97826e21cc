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

    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option1 = nullptr;

    QGroupBox* Frame7 = nullptr;
    QCheckBox* AutoChk = nullptr;
    QLineEdit* AutCorrTime = nullptr;
    QCheckBox* GetCTchk = nullptr;

    QGroupBox* Frame5 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Black = nullptr;

    QGroupBox* Frame4 = nullptr;
    QRadioButton* SystemOpt = nullptr;
    QRadioButton* DirectOpt = nullptr;
    QRadioButton* Proxy = nullptr;
    QLineEdit* Text1 = nullptr;

    QGroupBox* Frame1 = nullptr;
    QRadioButton* MinOpt = nullptr;
    QRadioButton* NormOpt = nullptr;

    // On once the mouse has been over Black or a key was pressed on the colour options: selecting Black otherwise,
    // as the load does, changes nothing.
    Flag ColArmed = Flag::Off;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
