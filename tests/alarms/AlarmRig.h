#pragma once

#include <QCoreApplication>
#include <QLabel>
#include <QTest>

#include "core/Module1.h"
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
        QTest::mouseClick(frm.Timed, Qt::LeftButton);
        frm.HrTxt->setText(QLatin1String(hours));
        frm.MinTxt->setText(QLatin1String(minutes));
        QTest::mouseClick(frm.Command1, Qt::LeftButton);
    }
    void setTimeOfDay(const char* hour, const char* minute)
    {
        AlarmFrm& frm = settings();
        bringUp(frm);
        QTest::mouseClick(frm.Timeset, Qt::LeftButton);
        frm.TimHrTxt->setText(QLatin1String(hour));
        frm.TimMinTxt->setText(QLatin1String(minute));
        QTest::mouseClick(frm.Command1, Qt::LeftButton);
    }

    // Deletes the windows that unloaded themselves, as the event loop does after a handler.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
