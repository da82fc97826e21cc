#pragma once

#include <QWidget>

#include <array>

class EventHooks;
class Forms;
class Inet;
class Module1;
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
    // Shows the cell of the last internet operation's result; callers check NetStatus's range first.
    void LinkShow();

    // Sets the computer's clock from a time server, reporting each step in Stat, then fetches the newsflash.
    void AutoSetBtn_Click();
    // One double-click of the pair that retrieves the updates: the first arms, the next ones retrieve.
    void HUXOLBL_DblClick();

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
    QString StatusText; // the outcome line that ends the progress list

    Inet* Inet1 = nullptr;
    QTimer* LinkAniTimer = nullptr;
    PictureClip* PictureClip1 = nullptr;
    QLabel* LinkAniImg = nullptr;
    int AniFrame = 0; // the animation cell shown last, 0..3

    // The time server being tried and the update retrieval's arming; both start afresh with each load.
    qint16 CurServer = 0;
    qint16 UpdArmed = 0;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The link picture strip: four animation cells, then the completed and the failed one, as NetStatus numbers them.
    static constexpr int LinkCells = 6;
    static constexpr qint16 Completed = 4;
    static constexpr qint16 Failed = 5;
    static constexpr int RequestTimeoutSeconds = 45;

    void buildManualView();
    void buildInternetView();
    void buildAutoPanel();
    static QLabel* makeProductLabel(QWidget* parent);
    void Command2_Click();
    bool adviseOnRepeatedFailure();
    bool refuseUnsetProxy();
    // How far the clock setting got: set, stopped by the answer or the zones (reported), or refused by the system
    // (the error path taken).
    enum class ClockSetting
    {
        Set,
        NotSet,
        Refused
    };
    ClockSetting setClockFrom(const QString& answer);
    bool localZoneDisagrees();
    [[nodiscard]] bool fetchNewsflash();
    void finishAutoSet();
    void retrievalFailed();
    void DownloadNewProgram();
    void autoSetFailed(const QString& reason);
    void addStat(const QString& line);
    void Form_Load();
    void Form_QueryUnload();
    void Timer1_Timer();
    void Text1_Click();
    void Text2_Change();
    void Command1_Click();
    void LinkAniTimer_Timer();
    void LinkAniImg_DblClick();
    void playClick();

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
};
