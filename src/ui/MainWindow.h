#pragma once

#include <QString>

class QWidget;

// What the other windows ask of the main window. They reach it through Forms and see only this, not its controls.
class MainWindow
{
public:
    // The window itself: the parent of messages, the icon and caption other windows copy or set, and what a
    // closing window brings back up.
    virtual QWidget& widget() = 0;

    // The pin is down: the window keeps itself in front of the others.
    virtual bool keptOnTop() const = 0;
    // Releases the window from the top layer, as a double-click on the pin does; another window that opens
    // would otherwise stay behind it.
    virtual void releaseOnTop() = 0;

    // The local clock's caption, and a new one the user typed elsewhere.
    virtual QString localCaption() const = 0;
    virtual void showLocalCaption(const QString& caption) = 0;

    // A clock's setting was applied: its caption and the time-zone database's word on each clock anew.
    virtual void refreshCaptionsAndZoneHints() = 0;
    // The colour scheme changed: backgrounds, faces and captions follow it.
    virtual void ColChg() = 0;
    // The calendar page anew, after the computer's clock was set.
    virtual void DoCalDate() = 0;

    // The hot spot that opens the preferences, bright while the mouse is over it.
    virtual void markPreferencesHotSpot(bool bright) = 0;
    // The scheduler's timer runs exactly while the daily auto-correct is on; a running one is left alone.
    virtual void followSchedulerSetting() = 0;

protected:
    MainWindow() = default;
    ~MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
};
