#pragma once

#include <QWidget>

#include <array>
#include <optional>

#include "core/ClockModel.h"
#include "core/ClockView.h"
#include "core/DailyRun.h"
#include "ui/MainWindow.h"

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
class huxofrm final : public QWidget, public ClockView, public MainWindow
{
    Q_OBJECT

public:
    huxofrm(Module1& module, Forms& forms, QWidget* parent = nullptr);
    ~huxofrm() override;

    void Form_Load();
    // The program is being ended from outside: what a close keeps is saved, without the questions of a close.
    void endWithoutQuestions();
    // The clock panel's place and the arrows' tips follow the stored state of the analogue band.
    void ApplyArrows();
    // The daily correction of the computer's clock, once a minute. Tests fire it directly, many times over under
    // a clock of their own, where waiting for the timer would take minutes.
    void ACTTimer_Timer();
    // The time-zone database's word on each clock, when a clock was applied, the window is activated and once a
    // minute (the first tick after start-up is a new minute). The benchmark times it.
    void refreshZoneHints();

    ClockModel& clockModel() { return m_clockModel; }
    ClockFace* face(int slot) const { return m_faces[size_t(slot - 1)]; }

    // The window's outer size in twips, as the settings file keeps it.
    int windowHeight() const;
    int windowWidth() const;

    // MainWindow
    QWidget& widget() override { return *this; }
    bool keptOnTop() const override;
    void releaseOnTop() override;
    QString localCaption() const override;
    void showLocalCaption(const QString& caption) override;
    void refreshCaptionsAndZoneHints() override;
    void ColChg() override;
    void markPreferencesHotSpot(bool bright) override;
    void followSchedulerSetting() override;

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
    void DoCalDate() override; // asked for by the other windows as well

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

    void UpdateCaptions();
    // A click on the mark of a clock that does not show the time-zone database's time: asks whether to set the
    // clock as the database has its zone now, and if so, applies and saves that.
    void ZoneMark_Click(int slot);
    // The clocks in view, "Tue 09:00 LOCAL · 08:00 GMT / UTC · 17:00 TOKYO", as Ctrl+C copies them.
    QString clocksLine() const;

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
    void Option1_DblClick();
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

    // The clock panel: the seven columns, the band arrows, the control panel and the calendar page.
    QWidget* Cpanel = nullptr; // holds every column, arrow and button; moves up when the analogue band is hidden
    ClockFace* LC = nullptr;   // the local clock's face; double-click opens the system time window
    ClockFace* GMTc = nullptr; // the GMT / UTC clock's face; double-click sets the local offset
    ClockFace* CC = nullptr;   // clock 3's face; double-click opens its settings
    ClockFace* DC = nullptr;   // clock 4's face
    ClockFace* EC = nullptr;   // clock 5's face
    ClockFace* FC = nullptr;   // clock 6's face
    ClockFace* GC = nullptr;   // clock 7's face
    QLabel* LocCap = nullptr;  // the local clock's caption; double-click pins the window on top or releases it
    QLabel* BCap = nullptr;    // "GMT / UTC" over the second clock
    QLabel* CCap = nullptr;    // clock 3's caption, a place name
    QLabel* DCap = nullptr;    // clock 4's caption
    QLabel* ECap = nullptr;    // clock 5's caption; double-click opens the alarm settings
    QLabel* FCap = nullptr;    // clock 6's caption
    QLabel* GCap = nullptr;    // clock 7's caption; double-click opens the alarm settings
    QLabel* LocTime = nullptr; // the local time, digital
    QLabel* GMTtime = nullptr; // the GMT / UTC time, digital
    QLabel* CTime = nullptr;   // clock 3's time, digital; its tip is the time-zone database's word on it
    QLabel* DTime = nullptr;   // clock 4's time
    QLabel* ETime = nullptr;   // clock 5's time
    QLabel* FTime = nullptr;   // clock 6's time
    QLabel* GTime = nullptr;   // clock 7's time
    QLabel* LocDay = nullptr;  // the local weekday; its tip is today's date
    QLabel* GMTDay = nullptr;  // the GMT / UTC weekday
    QLabel* CDay = nullptr;    // clock 3's weekday
    QLabel* DDay = nullptr;    // clock 4's weekday
    QLabel* EDay = nullptr;    // clock 5's weekday
    QLabel* FDay = nullptr;    // clock 6's weekday
    QLabel* GDay = nullptr;    // clock 7's weekday

    // The band arrows at the left edge, each in the band it acts on.
    GlyphButton* upgrey = nullptr;  // grey up arrow: hides the analogue faces
    GlyphButton* dngreen = nullptr; // green down arrow: shows the digital times, or the faces when they are hidden
    GlyphButton* upgreen = nullptr; // green up arrow: hides the digital times
    GlyphButton* dnred = nullptr;   // red down arrow: shows the weekdays
    GlyphButton* upred = nullptr;   // red up arrow: hides the weekdays

    // The control panel at the right, top to bottom.
    QWidget* CtrlPanel1 = nullptr;     // the column of small buttons; moves with the five / seven clocks switch
    GlyphButton* DispChgBox = nullptr; // the bar at the top: opens the preferences, bright while the mouse is over it
    GlyphButton* Image1 = nullptr;     // the globe: double-click for About
    GlyphButton* Image2 = nullptr;     // the question mark: double-click for Help
    GlyphButton* Image3 = nullptr;     // today's page: its tip is today's date, double-click for Help
    GlyphButton* Image5 = nullptr;     // the calendar: double-click puts the calendar page over the GMT / UTC clock
    GlyphButton* Option1 = nullptr;    // the on-top pin: click keeps the window on top, double-click releases it
    GlyphButton* AlmBtn = nullptr;     // the bell: opens the alarm settings
    GlyphButton* OntopBtn = nullptr;   // switches between five and seven clocks
    GlyphButton* Command1 = nullptr;   // "1": starts accessory program 1, shown only when it is there
    GlyphButton* Command2 = nullptr;   // "2": starts accessory program 2, shown only when it is there
    QPushButton* Keepfcs = nullptr;    // unseen: takes the focus off a small button the mouse used

    // The calendar page over the GMT / UTC column; double-click anywhere on it puts it away.
    QWidget* DateFrame = nullptr;  // the page's frame
    GlyphButton* Image4 = nullptr; // the page's picture
    QLabel* DateLbl = nullptr;     // the day of the month, large
    QLabel* DayLbl = nullptr;      // the weekday in the page's header
    QLabel* MonthLbl = nullptr;    // the month
    QLabel* YrLbl = nullptr;       // the year
    QLabel* Xlbl = nullptr;        // "HUXO" at the foot of the page

    QTimer* Timer1 = nullptr;      // unseen: turns the clocks over just after each change of second
    QTimer* ACTTimer = nullptr;    // unseen: the daily correction's scheduler, once a minute while it is on
    QAction* CopyClocks = nullptr; // Ctrl+C and the context menu's "Copy the clocks"

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
