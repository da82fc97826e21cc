#pragma once

#include <QWidget>

#include <array>

#include "core/StateCodes.h"

class EventHooks;
class Forms;
class Inet;
class Module1;
struct Progress;
class PictureClip;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

// The system time window: the computer's clock set by hand, the local clock's caption, and the home of the
// program's one HTTP component with its link picture, which shows whether a transfer runs, ended or failed.
class SystTimeFrm final : public QWidget
{
    Q_OBJECT

public:
    SystTimeFrm(Module1& module, Forms& forms);
    ~SystTimeFrm() override;

    // The request time-out drops to a second so that the cancel ends a hanging transfer at once.
    void StopLink();
    // Shows the cell of the last internet operation's outcome.
    void LinkShow();

    // Who started Auto Set: a user is there to answer questions, the daily run has nobody to ask.
    enum class StartedBy
    {
        User,
        Scheduler
    };
    // Sets the computer's clock from a time server, reporting each step in Stat, then fetches the newsflash.
    void AutoSetBtn_Click(StartedBy startedBy = StartedBy::User);
    // The daily run of Auto Set, in view of the user.
    void runScheduledAutoSet();
    // One double-click of the pair that retrieves the updates: the first arms, the next ones retrieve.
    void HUXOLBL_DblClick();
    // Fetches a program file the update server offers over this window's link, cancelling what it was doing.
    bool downloadProgramFile(const QString& serverName, const QString& bareName, QString* failure);

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QTimer* Timer1 = nullptr;

    QGroupBox* Frame2 = nullptr;
    QPushButton* AutoSetBtn = nullptr;

    // Shown in place of both frames while and after the internet operations run.
    QWidget* AutoPanel = nullptr;
    QListWidget* Stat = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* WaitLbl = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QLabel*, 2> HUXOLBL{};

    Inet* Inet1 = nullptr;
    QTimer* LinkAniTimer = nullptr;
    PictureClip* PictureClip1 = nullptr;
    QLabel* LinkAniImg = nullptr;
    int AniFrame = 0; // the animation cell shown last, 0..3

    // The time server being tried and the update retrieval's arming; both start afresh with each load.
    qint16 CurServer = 0;
    Flag UpdArmed = Flag::Off;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The link picture strip: four animation cells, then the completed and the failed one, as NetStatus numbers them.
    static constexpr int LinkCells = 6;

    void buildManualView();
    void buildInternetView();
    void buildAutoPanel();
    static QLabel* makeProductLabel(QWidget* parent);
    void Command2_Click();
    void adviseOnRepeatedFailure();
    void adviseOnUnsetProxy();
    void showNewsflash(const QString& flash);
    void DownloadNewProgram();
    // What an operation reports lands in this window's progress list while the window exists.
    Progress progress();
    // The animation stops, and the link picture shows the outcome left in NetStatus.
    void showOutcome();
    void addStat(const QString& line);
    void Form_Load();
    void Form_QueryUnload();
    void Timer1_Timer();
    void Text1_Click();
    void Text2_Change();
    void Command1_Click();
    void LinkAniTimer_Timer();
    void LinkAniImg_DblClick();

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
};
