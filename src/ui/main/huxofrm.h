#pragma once

#include <QWidget>

#include <array>
#include <optional>

#include "core/ClockModel.h"
#include "core/ClockView.h"
#include "core/DailyRun.h"

class ClockFace;
class EventHooks;
class Forms;
class GlyphButton;
class Module1;
struct ZoneHint;
class QAction;
class QLabel;
class QPushButton;
class QTimer;

// The main window: seven clock columns, each a face, a caption, a time and a day label; the band arrows, the
// control panel on the right and the calendar panel that can stand in for the GMT / UTC clock.
class huxofrm final : public QWidget, public ClockView
{
    Q_OBJECT

public:
    huxofrm(Module1& module, Forms& forms, QWidget* parent = nullptr);
    ~huxofrm() override;

    void Form_Load();
    // The program is being ended from outside: what a close keeps is saved, without the questions of a close.
    void endWithoutQuestions();
    void ColChg();
    void UpdateCaptions();
    void ApplyArrows();
    // Releases the window from the top layer, as a double-click on the on-top button does.
    void Option1_DblClick();
    // The on-top button is down: the window keeps itself in front of the others.
    bool keptOnTop() const;
    // The local clock's caption, and a new one the user typed elsewhere.
    QString localCaption() const;
    void showLocalCaption(const QString& caption);
    // The hot spot that opens the preferences, bright while the mouse is over it.
    void markPreferencesHotSpot(bool bright);
    // The scheduler's timer runs exactly while the daily auto-correct is on; a running one is left alone.
    void followSchedulerSetting();
    // The daily correction of the computer's clock, once a minute.
    void ACTTimer_Timer();
    // The time-zone database's word on each clock, when a clock was applied, the window is activated and once a
    // minute (the first tick after start-up is a new minute).
    void refreshZoneHints();
    // A click on the mark of a clock that does not show the time-zone database's time: asks whether to set the
    // clock as the database has its zone now, and if so, applies and saves that.
    void ZoneMark_Click(int slot);
    // The clocks in view, "Tue 09:00 LOCAL · 08:00 GMT / UTC · 17:00 TOKYO", as Ctrl+C copies them.
    QString clocksLine() const;

    ClockModel& clockModel() { return m_clockModel; }
    ClockFace* face(int slot) const { return m_faces[size_t(slot - 1)]; }

    // The window's outer size in twips, as the settings file keeps it.
    int windowHeight() const;
    int windowWidth() const;

    // ClockView
    bool ScaleFaces() override;
    void setTimeText(int slot, const QString& text) override;
    void setDayText(int slot, const QString& text) override;
    void setCaptionText(int slot, const QString& text) override;
    void ClearFaces() override;
    void clearFace(int slot) override;
    void DrawHand(int slot, int x, int y) override;
    void DrawSecHand(int x, int y) override;
    void drawSecHandOn(int slot, int x, int y) override;
    bool cornerPixelIsWhite() const override;
    QString calendarDayText() const override;
    void DoCalDate() override;

    ClockFace* LC = nullptr;
    ClockFace* GMTc = nullptr;
    ClockFace* CC = nullptr;
    ClockFace* DC = nullptr;
    ClockFace* EC = nullptr;
    ClockFace* FC = nullptr;
    ClockFace* GC = nullptr;
    QLabel* LocCap = nullptr;
    QLabel* BCap = nullptr;
    QLabel* CCap = nullptr;
    QLabel* DCap = nullptr;
    QLabel* ECap = nullptr;
    QLabel* FCap = nullptr;
    QLabel* GCap = nullptr;
    QLabel* LocTime = nullptr;
    QLabel* GMTtime = nullptr;
    QLabel* CTime = nullptr;
    QLabel* DTime = nullptr;
    QLabel* ETime = nullptr;
    QLabel* FTime = nullptr;
    QLabel* GTime = nullptr;
    QLabel* LocDay = nullptr;
    QLabel* GMTDay = nullptr;
    QLabel* CDay = nullptr;
    QLabel* DDay = nullptr;
    QLabel* EDay = nullptr;
    QLabel* FDay = nullptr;
    QLabel* GDay = nullptr;
    QWidget* Cpanel = nullptr;

    GlyphButton* upgrey = nullptr;
    GlyphButton* dngreen = nullptr;
    GlyphButton* upgreen = nullptr;
    GlyphButton* dnred = nullptr;
    GlyphButton* upred = nullptr;

    QWidget* CtrlPanel1 = nullptr;
    GlyphButton* DispChgBox = nullptr;
    GlyphButton* Image1 = nullptr;
    GlyphButton* Image2 = nullptr;
    GlyphButton* Image3 = nullptr;
    GlyphButton* Image5 = nullptr;
    GlyphButton* Option1 = nullptr;
    GlyphButton* AlmBtn = nullptr;
    GlyphButton* OntopBtn = nullptr;
    GlyphButton* Command1 = nullptr;
    GlyphButton* Command2 = nullptr;
    QPushButton* Keepfcs = nullptr;

    QWidget* DateFrame = nullptr;
    GlyphButton* Image4 = nullptr;
    QLabel* DateLbl = nullptr;
    QLabel* DayLbl = nullptr;
    QLabel* MonthLbl = nullptr;
    QLabel* YrLbl = nullptr;
    QLabel* Xlbl = nullptr;

    QTimer* Timer1 = nullptr;
    QTimer* ACTTimer = nullptr;
    QAction* CopyClocks = nullptr;

signals:
    // The main window has stored everything and the program is to end, with all its windows.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Hears the desktop's change of palette.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildClockColumns();
    void buildArrows();
    void buildControlPanel();
    void buildCalendar();
    void hookEvents();
    void describeForScreenReaders();
    void buildZoneHints();
    void showZoneHint(int slot, const std::optional<ZoneHint>& hint);
    bool paintFacePictures();

    void Timer1_Timer();
    void armTimer1();
    QString minimisedCaption() const;
    void Form_Resize();
    bool Form_QueryUnload();
    void keepWindowState();
    void Form_Unload();
    void saveAtExit();
    void showAccessories();
    void placeOnScreen();

    void setWindowHeight(int twips);
    void setWindowWidth(int twips);
    void showArrowsForHeight(int height);
    void upgrey_Click();
    void dngreen_Click();
    void upgreen_Click();
    void dnred_Click();
    void upred_Click();
    void OntopBtn_Click();

    void Option1_Click();
    void LocCap_DblClick();
    // Where the desktop alone stacks the windows, the pin can do nothing: its tip names the desktop's command.
    void leaveOnTopToTheDesktop();
    void AlmBtn_MouseDown();
    // Where the focus goes after a small button was used.
    void parkFocusAfter(GlyphButton* pressed);
    void showAlarmSettings();
    void startAccessory(GlyphButton* button, const QString& fileName, const QString& failure);
    void showCalendar(bool shown);

    void runAutoSet();
    void reportAutoCorrection();
    // What the daily note says about the correction that ran last.
    QString autoCorrectionNote() const;

    Module1& m_module;
    Forms& m_forms;
    ClockModel m_clockModel;
    DailyRun m_dailyRun{m_module};
    EventHooks* m_hooks = nullptr;
    std::array<ClockFace*, ClockModel::SlotCount> m_faces{};
    std::array<QLabel*, ClockModel::SlotCount> m_timeLabels{};
    std::array<QLabel*, ClockModel::SlotCount> m_dayLabels{};
    std::array<QLabel*, ClockModel::SlotCount> m_captions{};
    std::array<QLabel*, ClockModel::SlotCount> m_zoneMarks{}; // none for the local clock
    // The last outer size set, in twips: pixels cannot hold every twip value, and the band rules need it exact.
    int m_heightTwips = 0;
    int m_widthTwips = 0;
    bool m_facesOnDark = false; // the face picture was drawn for a dark window
};
