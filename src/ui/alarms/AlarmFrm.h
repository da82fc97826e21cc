#pragma once

#include <QDateTime>
#include <QWidget>

#include <array>

#include "ui/alarms/RingingAlarm.h"

class Forms;
class Module1;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// The alarm settings window. It holds the one alarm: a delay in hours and minutes, or a time of day, with a
// message and the choice of sound. An alarm is pending exactly while Timer1 runs; Set only hides the window, so
// the alarm lives on while the window is out of sight, and unloading the window ends it.
class AlarmFrm final : public QWidget, private RingingAlarm
{
    Q_OBJECT

public:
    AlarmFrm(Module1& module, Forms& forms);

    // Ends the alarm and the window together, without asking: the reminder's own ways out use it.
    void unloadWithoutQuestion() override;
    // An alarm is set and not yet due.
    bool pending() const;
    // Ends a pending alarm and keeps the window as it is, for a caller that has asked the user already.
    void cancelPending();

    qint16 AlmDelay = 0;
    QString AlmTime;
    qint16 AlmCount = 0; // a delay alarm: whole minutes gone by since Set

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildAlarmTime();
    void buildAlarmAction();
    void keepCorrected(QLineEdit* field, QString (*rule)(const QString&));

    void Command1_Click();
    void Command2_Click();
    void Timed_Click();
    void Timeset_Click();
    // The due test, on every tick of Timer1.
    void Timer1_Timer();
    void Form_Unload();

    // Which row of fields the user fills in: hours and minutes from now, or a time of day.
    void useDelayFields();
    void useTimeOfDayFields();
    // Sets the alarm from the fields and hides the window; the alarm lives on out of sight.
    void setAlarm();
    // Rings the reminder; lateNote says when the alarm was due if it rings late.
    void fire(const QString& lateNote);
    void setMainCaption(const QString& caption);

    // What the reminder asks of the alarm while it rings.
    QString message() const override;
    bool audible() const override;
    // Sets a delay alarm due in the given minutes from now, as if the user had chosen it here and pressed Set.
    void setDelayAlarm(int minutes) override;
    void startAfresh() override;

    // Alarm Time
    QGroupBox* Frame1 = nullptr;     // the frame round the choice of when the alarm is due
    QRadioButton* Timed = nullptr;   // chooses a delay in hours and minutes from now
    std::array<QLabel*, 2> Label1{}; // "Set the alarm for" and "hour(s) and" around the hours
    QLineEdit* HrTxt = nullptr;      // the hours from now
    QLineEdit* MinTxt = nullptr;     // the minutes from now
    QLabel* Label2 = nullptr;        // "minutes from now."
    QLabel* Label6 = nullptr;        // "or.." between the two rows
    QRadioButton* Timeset = nullptr; // chooses a time of day
    QLabel* Label3 = nullptr;        // "Set the alarm for" before the time of day
    QLineEdit* TimHrTxt = nullptr;   // the hour of the time of day
    QLabel* Label7 = nullptr;        // the colon between hour and minute
    QLineEdit* TimMinTxt = nullptr;  // the minute of the time of day
    QLabel* Label4 = nullptr;        // "local time"
    // Alarm Action
    QGroupBox* Frame2 = nullptr;      // the frame round what the alarm does
    QRadioButton* soundOff = nullptr; // a silent alarm
    QRadioButton* soundOn = nullptr;  // an audible alarm
    QLabel* Label5 = nullptr;         // "Message" above the message
    QLineEdit* Text1 = nullptr;       // the message the reminder shows
    QPushButton* Command1 = nullptr;  // "Set": sets the alarm and hides the window
    QPushButton* Command2 = nullptr;  // "Cancel Alarm": ends the alarm and the window
    QTimer* Timer1 = nullptr;         // runs while an alarm is pending, to see whether it is due

    Module1& m_module;
    Forms& m_forms;
    QDateTime m_dueAt;        // a time-of-day alarm: the instant it is due
    qint64 m_setOnUptime = 0; // a delay alarm: the uptime at Set, from which its delay runs
    QDateTime m_setAt;        // and the clock's time then, to tell when it was due
};
