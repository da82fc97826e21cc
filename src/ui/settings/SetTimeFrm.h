#pragma once

#include <QWidget>

#include <array>
#include <vector>

class EventHooks;
class Forms;
class MapViewport;
class Module1;
class PressLabel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

// The window in which one clock's offset, seasonal hour and caption are set, by clicking the zone map or the
// displays. For the GMT / UTC clock it asks for the user's own local offset instead. Edits take effect on Apply.
class SetTimeFrm final : public QWidget
{
    Q_OBJECT

public:
    SetTimeFrm(Module1& module, Forms& forms);

    // Opens the settings of clock "B" to "G" from the main window, with the caption its caption label shows.
    static SetTimeFrm& showFor(Forms& forms, const QString& clock, const QString& caption);

    // Shows the clock being edited as it is stored, throwing away edits not applied: on coming back to the window,
    // and when another window has changed that clock.
    void showStoredSettings();
    // The time-zone database's word on the clock as the window now sets it.
    void showZoneHint();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The zone map: the window onto it, the scrolled picture with its areas, and the scroll bar below.
    MapViewport* MapWindow = nullptr; // the frame the map is seen through, steered with the arrow keys
    QWidget* Map = nullptr;           // the whole map, moved left and right behind the frame
    QLabel* Image1 = nullptr;         // the picture of the world with its zones
    QScrollBar* HScroll1 = nullptr;   // scrolls the map east and west
    QLabel* InfoDisply = nullptr;     // the hint under the map on how to find a place

    // The editor beside the map.
    std::array<QLabel*, 6> ItemLabel{}; // the headings, 0, 1, 4 and 5 used; a double-click shows the DST text
    QLineEdit* LTxt = nullptr;          // the clock's caption
    PressLabel* HourLbl = nullptr;      // the hours from GMT, stepped by the mouse buttons or the keys
    QLabel* Label1 = nullptr;           // the colon between hours and minutes
    PressLabel* MinLbl = nullptr;       // the minutes from GMT, stepped by a click or the keys
    PressLabel* HourOnLbl = nullptr;    // the summer hour, 0 or +1
    QLabel* ZoneHintLbl = nullptr;      // the time-zone database's word on the setting, red where it disagrees
    QListWidget* CityList = nullptr;    // the places in the zone, one of which may become the caption
    QPushButton* Command1 = nullptr;    // "DST Info": shows the DST text
    QPushButton* ApplyBtn = nullptr;    // stores the settings; its tip says whether they are saved

    // Over the caption, for the GMT / UTC clock only.
    QWidget* GMTpanel1 = nullptr; // the panel that asks for the user's own zone
    QLabel* Label3 = nullptr;     // "YOUR LOCAL TIME ZONE"
    QLabel* Label4 = nullptr;     // what the GMT / UTC clock needs the user's zone for

    QPlainTextEdit* Text1 = nullptr; // the DST text, over the whole window

    void buildMap();
    void buildEditor();
    void buildGmtPanel();
    void buildDstView();
    // The keyboard's way round the map: one stop for each offset, west to east.
    void addMapStop(PressLabel* area, float offset);
    bool mapKeyboardEvent(QEvent* event);
    void goToMapStop(int index, bool intoView);

    void Form_Load();
    void Form_Activate();
    void MapClik(float offset);
    void DoCityList();
    void AnalyseTimeDiff();
    void AutoScrollMap();
    // True when the close box is to close only the information text, so the window stays.
    bool Form_QueryUnload();
    // Back from the DST text to the settings, rebuilt from the stored clock as on activation.
    void closeDstText();
    void ApplyBtn_Click();
    void CityList_Click();
    void LTxt_Change();
    void HourLbl_MouseDown(Qt::MouseButton button);
    // The hours one step up (step > 0) or down, the minutes one step on or back: what a press on either display
    // does.
    void stepHours(int step);
    void stepMinutes(int step);
    // Sets the hour display and, when its text changes, runs what follows a change.
    void setHourDisplay(const QString& text);
    void HourLbl_Change();
    void MinLbl_Click();
    void HourOnLbl_Click();
    void HScroll1_Change();
    void ItemLabel_DblClick();
    void Command1_Click();

    void markUnsavedChange();
    QString clockNumber() const;

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
    bool m_applied = false; // Apply was pressed: a later change is one to save again
    // The window is activated again only after another window of the program took over; not after a switch to
    // another program, which should not throw away the user's edits.
    bool m_ownWindowWasActive = false;
    // While a mouse button is down on the place list; a choice made with the keys has no click to follow it.
    bool m_placePressed = false;
    struct MapStop
    {
        PressLabel* area;
        float offset;
    };
    std::vector<MapStop> m_mapStops;
    int m_mapStop = -1;
    QString m_dstText; // what the information view shows; the built-in notice until a long enough file was read
};
