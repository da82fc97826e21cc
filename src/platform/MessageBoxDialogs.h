#pragma once

#include "platform/Dialogs.h"

// Dialogs shown as modal QMessageBoxes.
class MessageBoxDialogs final : public Dialogs
{
public:
    Answer ask(const QString& text, const QString& title, Icon icon, Buttons buttons, QWidget* parent) override;
};
