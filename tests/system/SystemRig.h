#pragma once

#include <QAbstractButton>
#include <QEnterEvent>
#include <QTest>

#include "core/Module1.h"
#include "support/FakeServices.h"
#include "support/MainWindowRig.h"
#include "support/ScriptedForms.h"
#include "ui/main/huxofrm.h"

// A running main window with scripted secondary windows, started from the settings the test stored there (as
// a program that has run before).
struct SystemRig : MainWindowRig<ScriptedForms>
{
    explicit SystemRig(Settings stored = {})
        : MainWindowRig(&withSetupDone(stored))
    {
        fakes.sound.clear();
        fakes.dialogs.clear();
    }

    int clicksPlayed() const { return int(fakes.sound.played().count(module->programFile(QStringLiteral("b.wav")))); }

private:
    static const Settings& withSetupDone(Settings& stored)
    {
        stored.SetupDone = Flag::On;
        return stored;
    }
};

// The mouse arriving over a control, as the window system reports it.
inline void mouseOver(QWidget* control)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(control, &enter);
}

// Clicks an option or check box on its mark: the blank part of the control to the right of its caption does not
// take clicks.
inline void choose(QAbstractButton* option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

// Replaces a QLineEdit's text as the user would, by keyboard.
inline void retype(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}
