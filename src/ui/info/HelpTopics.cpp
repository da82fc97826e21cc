#include "HelpTopics.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QString crlfLines(const QStringList& lines)
{
    return lines.join(u"\r\n"_s);
}

} // namespace

namespace HelpTopics {

QString generalInformation()
{
    return crlfLines({
        u"HUXO WORLD TIME ZONE CLOCKS 5.1"_s,
        QString(),
        u"HUXO is a useful desktop program providing a set of on-screen clocks which help you to keep track of the "
        u"time of day in other parts of the world."_s,
        QString(),
        u"One small window shows seven clocks side by side: your local (system) time, GMT / UTC, and five clocks "
        u"that you set to places of your choice, each as an analogue face, a digital time and a weekday. HUXO can "
        u"also correct your computer's clock from time servers on the internet, on request or by itself once a day; "
        u"its alarm flashes up a reminder message at the time you choose; and it fetches the latest daylight saving "
        u"information, newsflashes and the on-line newsletter \"HUXO TIMES\"."_s,
        QString(),
        u"Improvements since version 4.x:"_s,
        u" + more clocks as standard"_s,
        u" + various calendar display options"_s,
        u" + auto-scheduling of timechecks and updates"_s,
        u" + a choice of internet connection methods"_s,
        u" + improved automatic and manual adjustment features"_s,
        u" + option to show choice of time zone on the taskbar"_s,
        u" + an alarm-repeat option"_s,
        u" + enhancements to the interface"_s,
        u" + support for optional plug-in accessories"_s,
        QString(),
        u"Before anything else: HUXO does not read your time zone from the computer. Tell it once, by double-clicking "
        u"the GMT / UTC clock, the second from the left (see 'Setting the Clocks')."_s,
        QString(),
        u"The small buttons on the right of the clock window, from the top: the red bar opens the preferences, the "
        u"globe shows 'About HUXO' (double-click), the question mark opens this help (double-click), the page below "
        u"it shows today's date when the mouse rests on it, then come the calendar, the pin that keeps HUXO on top, "
        u"the alarm bell and the switch between five and seven clocks. The buttons 1 and 2 start the accessory "
        u"programs \"a1.exe\" and \"a2.exe\"; they appear only when those programs are in your HUXO folder."_s,
        QString(),
        u"HUXO keeps its settings in the file \"huxo.ini\" in its own folder (in ~/.local/share/huxo when that "
        u"folder cannot be written), together with the daylight saving information and the files it downloads. "
        u"Each file is written whole or not at all: when a file cannot be written, the old one stays as it was."_s,
        QString(),
        u"For step-by-step help choose 'Setting the Clocks' or 'Setting Preferences' from the Topics menu; "
        u"'Licensing Agreement' gives the terms under which you may use and pass on HUXO."_s,
    });
}

QString settingTheClocks()
{
    return crlfLines({
        u"SETTING THE CLOCKS"_s,
        QString(),
        u"Each clock can be set by first double-clicking on its analogue clock face... "_s,
        u"...which opens the window in which that clock is set. The faces must be in view: when they are hidden, "
        u"click the green arrow at the left edge of the clock window ('show analogues')."_s,
        QString(),
        u"SETTING THE SYSTEM TIME:"_s,
        u"The first clock on the left shows your computer's own (system) time. Double-click its face to open the "
        u"'Set Local System Time' window."_s,
        QString(),
        u"To set the time by hand, click the time box (it then stops following the clock), type the new time as "
        u"hh:mm:ss or hh:mm on the 24-hour clock and press 'Keep This Setting'. Only the time of day changes, never "
        u"the date. A time HUXO cannot read gives the message \"There is a problem with the way you have entered the "
        u"new time.\" and nothing is changed. Your desktop may ask for your password before the clock can be set; if "
        u"the computer sets its clock automatically from the network, turn that off in the system's date and time "
        u"settings first, or HUXO is not allowed to set it. The 'Local clock caption:' box of the same window "
        u"changes the caption of the local clock (up to 12 characters)."_s,
        QString(),
        u"To set the time from the internet, press 'Auto Set and Updates'. HUXO asks one of three time servers for "
        u"the exact time (UTC), works out your local time from the zone you gave the GMT / UTC clock, and sets the "
        u"computer's clock; when the server's date can be trusted it confirms the date too. Each step is shown in "
        u"the progress list, which ends with 'TIME SET COMPLETE.' when all went well (Ctrl+C, or a right-click, "
        u"copies the list). If the zone of the GMT / UTC clock differs from the computer's own zone, HUXO leaves the "
        u"clock alone: the list ends with 'Zones differ, time not set.' and names the zone to give the GMT / UTC "
        u"clock. While summer time is in force, that includes its summer hour."_s,
        QString(),
        u"HUXO talks to its servers over HTTPS only and checks that each is who it claims to be. Before moving the "
        u"clock by more than 15 minutes it asks, showing the computer's time and the server's; say No and the clock "
        u"stays. If the computer keeps its clock in step with network time itself, HUXO only compares the two "
        u"and ends with 'TIME CHECKED COMPLETE.' when they agree within 2 seconds. Where the system refuses to set "
        u"the clock, the list gives its reason."_s,
        QString(),
        u"When the connection fails the list shows 'bad link'; press 'Retry' to try the next time server. After five "
        u"failures in a row the next press opens 'HUXO Preferences' with advice on the 'Internet Connection' "
        u"settings. A double-click on the moving link picture stops a transfer."_s,
        QString(),
        u"After the time is set, a newsflash appears in red below the progress list. To fetch the newest daylight "
        u"saving update and the HUXO TIMES newsletter, double-click the word 'HUXO' beside the 'Auto Set and "
        u"Updates' button (or above 'Retry') twice: the first double-click only gets ready (\"double-click again "
        u"to proceed.\"), the second fetches. The daylight saving information is then shown by the 'DST Info' "
        u"button of the clock settings window, and the newsletter opens in a window of its own: double-click "
        u"'PRINT' in its top right-hand corner to print it, as closing it discards it."_s,
        QString(),
        u"When a newsflash mentions the FETCH button, 'Retry' becomes 'FETCH', which downloads a new program file "
        u"\"new.exe\"; the newsletter's 'Download' button likewise downloads \"inst.exe\". HUXO saves such a file in "
        u"your HUXO folder but never starts it: whether to run it is up to you."_s,
        QString(),
        u"HUXO can also set the time by itself once a day: see 'AUTO SCHEDULER:' under 'Setting Preferences'."_s,
        QString(),
        u"SETTING THE GMT/UTC CLOCK:"_s,
        u"HUXO does not read your time zone from the computer, so you tell it once here. Double-click the second "
        u"face from the left to open 'Settings for GMT / UTC Clock', and enter your own local time difference from "
        u"GMT in either of two ways:"_s,
        u" - click the hours box with the left mouse button to go down an hour or with the right button to go up "
        u"(from -12 to +12), and click the minutes box to switch between 00 and 30;"_s,
        u" - or move the world map with the scroll bar below it until you find where you are (the map goes round "
        u"the world) and click that area: the hours and minutes are filled in for you."_s,
        u"While summer time is in force where you are, click the box beside 'Summer DST Hour Offset' so that it "
        u"shows +1, and back to 0 when summer time ends: HUXO does not switch it by the date. Then press 'Apply'; "
        u"the clocks show the new setting within a second. The window stays open until you close it with its X "
        u"button. Changes that were not applied are lost, also when you switch to another HUXO window and back "
        u"(the caption box keeps its text)."_s,
        QString(),
        u"Double-clicking the calendar button on the right shows a calendar in place of the GMT / UTC clock; "
        u"double-click the calendar to bring the GMT/UTC clock back."_s,
        QString(),
        u"SETTING THE REMAINING CLOCKS:"_s,
        u"Clocks 3 to 7 are set in the same way: double-click the face, choose the zone with the hours and minutes "
        u"boxes or on the map, set the summer hour and press 'Apply'. Type your own caption for the clock in the "
        u"'Clock Caption' box (up to 15 characters), or pick one from 'Some Places in This Zone', the list of "
        u"suggestions for the zone shown; a click on the map puts the first of them into the caption. 'DST Info', "
        u"or a double-click on the label 'Summer DST Hour Offset', shows the daylight saving information, and the "
        u"window's X button takes you back from it. Clocks 6 and 7 are in view with seven clocks."_s,
        QString(),
        u"When the caption names a place of the map's lists, the line under 'Summer DST Hour Offset' tells what "
        u"your computer's time-zone database knows of it: whether the place is on summer time now, its offset from "
        u"GMT and when it changes next. The line turns red when the clock, as set, does not show that time (for "
        u"instance when the summer hour is on in the place's winter). For the GMT / UTC clock the line compares the "
        u"zone you give with your computer's own zone. HUXO never changes a clock by itself: you flip the summer "
        u"hour and press 'Apply'. In the main window the same line shows when you point at a clock's time, and a "
        u"small orange dot beside a caption marks a clock that does not show its place's time. Ctrl+C in the main "
        u"window (or 'Copy the clocks' on its right-click menu) copies all the clocks in view as one line of text."_s,
        QString(),
        u"SETTING THE ALARM:"_s,
        u"Press the bell button, or double-click the caption of the rightmost clock (clock 5 with five clocks, "
        u"clock 7 with seven), to open 'HUXO - Alarm Settings'. The alarm can be set in two ways:"_s,
        u" - choose the upper option, 'Set the alarm for ... hour(s) and ... minutes from now.', for up to 99 hours "
        u"and 59 minutes ahead;"_s,
        u" - or choose the lower option, 'Set the alarm for ... : ... local time', with an hour from 0 to 23 and a "
        u"minute: the alarm rings the next time the local clock shows that time, so within the next 24 hours."_s,
        u"Under 'Alarm Action' choose 'Audible Alarm' or 'No Sound', and type your own message in the 'Message' box. "
        u"Press 'Set': the window goes out of sight and the clock window's title reads \"HUXO 5.1 (alarm set)\". "
        u"There is one alarm at a time; setting it again replaces it."_s,
        QString(),
        u"When the alarm comes due, the 'HUXO Reminder' window comes to the front with your message and a flashing "
        u"sign, and an audible alarm beeps and rings every second. Press 'Stop Alarm' to end it, or '5 Minutes More' "
        u"to be reminded again in five minutes with the same message; a double-click on the message ends the alarm "
        u"and opens the alarm settings for a new one."_s,
        QString(),
        u"To call off an alarm, open the alarm settings and press 'Cancel Alarm'. Closing the alarm settings window, "
        u"or HUXO itself, while an alarm is set asks you first: the alarm only rings while HUXO is running."_s,
    });
}

QString settingPreferences()
{
    return crlfLines({
        u"SETTING YOUR PREFERENCES"_s,
        QString(),
        u"Many settings are remembered automatically as you use HUXO."_s,
        u"The small arrows at the left edge of the clock window hide and show its bands: the grey arrow hides the "
        u"analogue faces ('hide analogues'), the green arrows hide and show the digital times (and bring the faces "
        u"back when they are hidden: 'show analogues'), and the red arrows hide and show the weekdays. The columns "
        u"button near the foot of the button column switches between five clocks ('more clocks') and seven "
        u"('less clocks'). A double-click on the calendar button shows the calendar in place of the GMT/UTC clock, "
        u"and a double-click on the calendar brings the clock back. When you close HUXO it remembers all of these "
        u"and the window's position and size, and starts next time as you left it; a position on a screen that is "
        u"no longer there is moved onto the main screen."_s,
        QString(),
        u"If HUXO cannot save its settings file it tells you and leaves the old file as it was; your changes stay "
        u"in effect until you close HUXO."_s,
        QString(),
        u"OTHER OPTIONS..."_s,
        u"More settings are in 'HUXO Preferences', opened by the small red bar at the top of the button column "
        u"('click to set preferences'; it is in view while the analogue faces are shown). Each choice takes effect "
        u"at once, and all of them are saved when you close the window with its 'X' button."_s,
        QString(),
        u"STARTUP POSITION: "_s,
        u"'On taskbar' starts HUXO as a button on the taskbar; 'On desktop' starts it with the clock window on the "
        u"desktop."_s,
        QString(),
        u"WHEN ON TASKBAR SHOW..."_s,
        u"While HUXO is minimised, the caption of its taskbar button changes every second to show either the "
        u"'Local time' (the local time and date) or the 'Clock 3 time' (the time, caption and weekday of clock 3)."_s,
        QString(),
        u"DISPLAY: "_s,
        u"'System colours' gives the clock window your desktop's colours, 'Black' a black background. After a "
        u"change the second hands come back at the next full minute."_s,
        QString(),
        u"AUTO SCHEDULER:"_s,
        u"Check the box beside 'Auto-correct at' and type a time in 24-hour format (HH:MM, such as 05:45) in the "
        u"box before 'daily'. While HUXO is running, it then sets the computer's clock from the internet at that "
        u"time every day, as 'Auto Set and Updates' does, and when the first attempt fails it makes one retry at "
        u"once. It runs once a day only: when the computer was asleep at that time it runs as soon as it wakes, and "
        u"a clock set back before that time does not run it a second time that day. The result is left on your screen "
        u"in a 'sticky-note': \"HUXO automatically adjusted your system "
        u"time at ...\" or \"Please note: HUXO didn't get to check the system time.\". The note stays until you "
        u"drag it to the disposal bin that appears (or double-click the bin). Check 'Get HUXO TIMES automatically "
        u"also' to have the daylight saving update and the newsletter fetched after each daily correction as well. "
        u"A time that is not HH:MM on the 24-hour clock is refused when you close the window. The scheduler is only "
        u"recommended if you have a permanent internet connection. Nobody is asked at the scheduled time: a step of "
        u"more than 15 minutes, or a clock that needs your password to be set, is left for 'Auto Set and Updates', "
        u"and the note says so."_s,
        QString(),
        u"INTERNET CONNECTION:"_s,
        u"'System' uses the computer's own proxy settings, 'Direct' connects straight to the internet, and 'Proxy' "
        u"uses the proxy server you type in the box beside 'Proxy Server Configuration...', as a host name or as "
        u"host:port (port 80 when none is given). Until a proxy is typed in place of \"www.proxy.\", Auto Set asks "
        u"you to configure it. A change takes effect the next time you open the 'Set Local System Time' window."_s,
        QString(),
        u"To keep the clock window on top of other windows, click the pin button ('click to keep HUXO on top'), and "
        u"double-click it to release the window again; a double-click on the local clock's caption switches between "
        u"the two. HUXO releases the window by itself when the preferences, the alarm settings, the newsletter or "
        u"the About window open, so that they can come in front of it."_s,
    });
}

QString licensingAgreement(const QString& licence)
{
    // The licence file breaks its lines for a terminal; here each paragraph is one line that the window wraps.
    QString text = licence;
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    QStringList paragraphs = text.trimmed().split(u"\n\n"_s, Qt::SkipEmptyParts);
    for (QString& paragraph : paragraphs) {
        paragraph = paragraph.simplified();
    }
    // The zone map is a produced work of an open database, whose licence asks for this notice.
    paragraphs << u"The time-zone map is drawn from the timezone-boundary-builder data set (Open Database License), "
                  u"made from OpenStreetMap data \u00A9 OpenStreetMap contributors, and from the GSHHG coastlines."_s;
    return u"LICENSING AGREEMENT \r\n\r\n"_s + paragraphs.join(u"\r\n\r\n"_s);
}

} // namespace HelpTopics
