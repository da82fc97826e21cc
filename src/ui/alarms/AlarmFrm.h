#pragma once

#include <QDateTime>
#include <QWidget>

#include <array>

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
class AlarmFrm final : public QWidget
{
    Q_OBJECT

public:
    AlarmFrm(Module1& module, Forms& forms);

    void Command1_Click();
    void Command2_Click();
    void Timed_Click();
    void Timeset_Click();
    // The due test, on every tick of Timer1.
    void Timer1_Timer();
    // Ends the alarm and the window together, without asking: the reminder's own ways out use it.
    void unloadWithoutQuestion();
    // An alarm is set and not yet due.
    bool pending() const;
    // Ends a pending alarm and keeps the window as it is, for a caller that has asked the user already.
    void cancelPending();
    // Sets a delay alarm due in the given minutes from now, as if the user had chosen it here and pressed Set.
    void setDelayAlarm(int minutes);
    // The message the reminder shows, and whether the alarm sounds, as they stand in the window now.
    QString message() const;
    bool audible() const;

    qint16 AlmDelay = 0;
    QString AlmTime;
    qint16 AlmCount = 0; // a delay alarm: whole minutes gone by since Set

    QGroupBox* Frame1 = nullptr;
    QRadioButton* Timed = nullptr;
    std::array<QLabel*, 2> Label1{};
    QLineEdit* HrTxt = nullptr;
    QLineEdit* MinTxt = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QRadioButton* Timeset = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* TimHrTxt = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* TimMinTxt = nullptr;
    QLabel* Label4 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* soundOff = nullptr;
    QRadioButton* soundOn = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildAlarmTime();
    void buildAlarmAction();
    void keepCorrected(QLineEdit* field, QString (*rule)(const QString&));
    void Form_Unload();
    // Rings the reminder; lateNote says when the alarm was due if it rings late.
    void fire(const QString& lateNote);
    void setMainCaption(const QString& caption);

    Module1& m_module;
    Forms& m_forms;
    QDateTime m_dueAt;        // a time-of-day alarm: the instant it is due
    qint64 m_setOnUptime = 0; // a delay alarm: the uptime at Set, from which its delay runs
    QDateTime m_setAt;        // and the clock's time then, to tell when it was due
};
