#pragma once

#include <QWidget>

#include <array>

class Forms;
class Module1;
class QLabel;
class QPushButton;
class QTimer;
class RingingAlarm;

// The reminder that comes up in front of everything when the alarm is due: it shows the alarm's message, blinks
// and, for an audible alarm, beeps once a second until the user stops it or asks for five minutes more.
class AlarmMsgFrm final : public QWidget
{
    Q_OBJECT

public:
    AlarmMsgFrm(Module1& module, Forms& forms);
    ~AlarmMsgFrm() override;

    // Under the message, when the alarm was due if it rings late ("Due at 07:30"); an empty note shows nothing.
    void showLateNote(const QString& note);
    // The alarm is due: the reminder comes to the front and starts ringing, asking the alarm what to show and
    // whether to sound, and telling it the user's answer.
    void ring(RingingAlarm& alarm);
    // The alarm is gone: the reminder forgets it and goes too.
    void withdraw();

    qint32 FlashCount = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Every half second while ringing.
    void Timer1_Timer();
    void Command1_Click();
    void TenMinBtn_Click();
    void AlmMessg_DblClick();

    void showMessage();
    // Silences the reminder for good and ends the alarm with it.
    void stopAlarm();
    // Stops ringing and goes, passing the user's answer on to the alarm while there is one.
    void endRinging(void (*answer)(RingingAlarm&));

    std::array<QLabel*, 1> AlmMessg{}; // the alarm's message
    QLabel* DueLbl = nullptr;          // when a late alarm was due, under the message
    QLabel* ExclaimPic = nullptr;      // the warning sign that blinks
    QPushButton* Command1 = nullptr;   // "Stop Alarm"
    QPushButton* TenMinBtn = nullptr;  // "5 Minutes More": rings again in five minutes
    QTimer* Timer1 = nullptr;          // blinks the sign, and beeps, while ringing

    Module1& m_module;
    Forms& m_forms;
    RingingAlarm* m_alarm = nullptr; // the alarm it rings for, until the alarm withdraws it
    quint32 m_notification = 0;      // what the desktop shows of the ringing reminder
};
