#pragma once

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/Module1.h"
#include "support/Control.h"
#include "support/FakeServices.h"
#include "support/MainWindowRig.h"
#include "ui/BringUp.h"
#include "ui/Forms.h"
#include "ui/alarms/AlarmFrm.h"
#include "ui/alarms/AlarmMsgFrm.h"
#include "ui/main/huxofrm.h"

// The main window and the real window registry in a program folder of their own, with the clock at 09:15:30.
struct AlarmRig : MainWindowRig<>
{
    AlarmRig()
    {
        fakes.dialogs.clear();
        fakes.sound.clear();
    }

    AlarmFrm& settings() { return forms->get<AlarmFrm>(); }
    AlarmMsgFrm* reminder() const { return forms->loaded<AlarmMsgFrm>(); }
    QString file(const char* bareName) const { return module->programFile(QLatin1String(bareName)); }

    // Sets an alarm of hours and minutes from now through the window's own controls.
    void setTimed(const char* hours, const char* minutes)
    {
        AlarmFrm& frm = settings();
        bringUp(frm);
        QTest::mouseClick(control<QRadioButton>(frm, "Timed"), Qt::LeftButton);
        control<QLineEdit>(frm, "HrTxt")->setText(QLatin1String(hours));
        control<QLineEdit>(frm, "MinTxt")->setText(QLatin1String(minutes));
        QTest::mouseClick(control<QPushButton>(frm, "Command1"), Qt::LeftButton);
    }
    void setTimeOfDay(const char* hour, const char* minute)
    {
        AlarmFrm& frm = settings();
        bringUp(frm);
        QTest::mouseClick(control<QRadioButton>(frm, "Timeset"), Qt::LeftButton);
        control<QLineEdit>(frm, "TimHrTxt")->setText(QLatin1String(hour));
        control<QLineEdit>(frm, "TimMinTxt")->setText(QLatin1String(minute));
        QTest::mouseClick(control<QPushButton>(frm, "Command1"), Qt::LeftButton);
    }

    // One tick of the window's Timer1, as the event loop delivers it.
    static void tickTimer1(QWidget& window) { QMetaObject::invokeMethod(control<QTimer>(window, "Timer1"), "timeout"); }

    // Deletes the windows that unloaded themselves, as the event loop does after a handler.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
