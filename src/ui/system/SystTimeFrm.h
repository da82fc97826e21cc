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

    // The daily run of Auto Set, in view of the user.
    void runScheduledAutoSet();
    // Retrieves the updates as a pair of double-clicks on the HUXO label does: the first arms, the next retrieves.
    void retrieveUpdates();
    // Fetches a program file the update server offers over this window's link, cancelling what it was doing.
    bool downloadProgramFile(const QString& serverName, const QString& bareName, QString* failure);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The link picture strip: four animation cells, then the completed and the failed one, as NetStatus numbers them.
    static constexpr int LinkCells = 6;

    // Who started Auto Set: a user is there to answer questions, the daily run has nobody to ask.
    enum class StartedBy
    {
        User,
        Scheduler
    };
    // What a click on Command2 does, which its caption shows.
    enum class Command2Offer
    {
        Retry,      // "&Retry": Auto Set once more
        Fetch,      // "FETCH": the program file the newsflash offers
        Downloading // "====" while that file is on its way; a click after a failed download is Auto Set again
    };

    void buildManualView();
    void buildInternetView();
    void buildAutoPanel();
    static QLabel* makeProductLabel(QWidget* parent, const char* name);
    void offerOnCommand2(Command2Offer offer);
    void Command2_Click();
    // Sets the computer's clock from a time server, reporting each step in Stat, then fetches the newsflash.
    void AutoSetBtn_Click(StartedBy startedBy = StartedBy::User);
    // One double-click of the pair that retrieves the updates: the first arms, the next ones retrieve.
    void HUXOLBL_DblClick();
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

    // The manual setting.
    QGroupBox* Frame1 = nullptr;     // the frame of the manual setting and the caption
    QLabel* Label1 = nullptr;        // tells the user to enter the new time
    QLineEdit* Text1 = nullptr;      // the computer's time, ticking until the user clicks or types in it
    QPushButton* Command1 = nullptr; // "&Keep This Setting": sets the typed time
    QLineEdit* Text2 = nullptr;      // the local clock's caption, edited live
    QTimer* Timer1 = nullptr;        // ticks Text1 on each second

    // The internet setting as the window opens.
    QGroupBox* Frame2 = nullptr;       // the frame of the Auto Set button and the HUXO label
    QPushButton* AutoSetBtn = nullptr; // "&Auto Set and Updates": sets the clock from a time server

    // The progress panel.
    QWidget* AutoPanel = nullptr;     // shown in place of both frames while and after the internet operations run
    QListWidget* Stat = nullptr;      // the progress lines of the operation running or ended
    QPushButton* Command2 = nullptr;  // tries Auto Set again, or fetches the program file a newsflash offers
    QLabel* WaitLbl = nullptr;        // "WAIT" while the program file is on its way
    QLabel* Label2 = nullptr;         // the newsflash, in red once one has arrived
    std::array<QLabel*, 2> HUXOLBL{}; // "HUXO" on the frame and on the panel: double-clicked twice, retrieves updates

    // The link and its picture.
    Inet* Inet1 = nullptr;               // the program's one HTTP component
    QTimer* LinkAniTimer = nullptr;      // runs the link animation while a transfer runs
    PictureClip* PictureClip1 = nullptr; // the link picture strip
    QLabel* LinkAniImg = nullptr;        // the link picture; a double-click stops the transfer
    int AniFrame = 0;                    // the animation cell shown last, 0..3

    // The time server being tried and the update retrieval's arming; both start afresh with each load.
    qint16 CurServer = 0;
    Flag UpdArmed = Flag::Off;
    Command2Offer m_command2Offer = Command2Offer::Retry;
    // Until a newsflash is shown the next Auto Set fetches one; the download's dashes stand in for it again.
    bool m_newsflashShown = false;
    // Whether the newsflash shown offers the program file behind the fetch button.
    bool m_programFileOffered = false;

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
};
