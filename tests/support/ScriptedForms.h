#pragma once

#include "ui/Forms.h"

// Windows built by later parts of the program, as far as others ask about them: what the test says.
class ScriptedForms final : public Forms
{
public:
    using Forms::Forms;
    bool alarmSet() const override { return alarm; }
    bool alarmSettingsShown() const override { return alarmSettings; }
    bool reminderShown() const override { return reminder; }
    bool newsletterShown() const override { return newsletter; }

    bool alarm = false;
    bool alarmSettings = false;
    bool reminder = false;
    bool newsletter = false;
};
