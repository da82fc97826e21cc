#pragma once

#include <QWidget>

#include <array>

class Forms;
class Module1;
class QLabel;
class QPushButton;
class QTimer;

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
    // The alarm is due: the reminder comes to the front and starts ringing.
    void ring();

    // Every half second while ringing.
    void Timer1_Timer();
    void Command1_Click();
    void TenMinBtn_Click();
    void AlmMessg_DblClick();

    qint32 FlashCount = 0;

    std::array<QLabel*, 1> AlmMessg{};
    QLabel* DueLbl = nullptr;
    QLabel* ExclaimPic = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* TenMinBtn = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showMessage();

    Module1& m_module;
    Forms& m_forms;
    quint32 m_notification = 0; // what the desktop shows of the ringing reminder
};
