#pragma once

// The main window's geometry, in twips.
namespace MainLayout {

// Stored window sizes count a frame of our own making (thin borders and a caption bar), whatever frame the
// window manager draws, so that a size means the same layout on every desktop.
constexpr int FrameWidth = 20;
constexpr int FrameHeight = 360;

constexpr int SevenClockWidth = 7625;
constexpr int FiveClockWidth = 5495;
constexpr int SevenClockPanelLeft = 7440;
constexpr int FiveClockPanelLeft = 5310;
constexpr int NarrowestWidth = 5490;

// Outer heights by the bands shown.
constexpr int FirstRunHeight = 2350;
constexpr int AllBandsHeight = 2335;
constexpr int NoDaysHeight = 2000;
constexpr int DigitalsShownHeight = 1990;
constexpr int AnaloguesOnlyHeight = 1590;
constexpr int HiddenAnaloguesWithDaysHeight = 1375;
constexpr int HiddenAnaloguesHeight = 1030;
constexpr int LowestHeight = 900;
constexpr int AnalogueBand = 960;

constexpr int PanelTop = 20;
constexpr int PanelTopAnaloguesHidden = -950;
constexpr int PanelWidth = 7605;
constexpr int PanelHeight = 2445;

constexpr int FaceTop = 30;
constexpr int FaceWidth = 915;
constexpr int FaceHeight = 885;
constexpr int CaptionTop = 1000;
constexpr int CaptionWidth = 915;
constexpr int LocalCaptionWidth = 735;
constexpr int CaptionHeight = 240;
constexpr int TimeTop = 1275;
constexpr int DayTop = 1620;
constexpr int ReadoutWidth = 720;
constexpr int ReadoutHeight = 285;

constexpr int CalendarLeft = 1140;
constexpr int CalendarTop = -30;
constexpr int CalendarWidth = 975;
constexpr int CalendarHeight = 2025;

constexpr int ControlPanelTop = 60;
constexpr int ControlPanelWidth = 165;
constexpr int ControlPanelHeight = 1155;

} // namespace MainLayout
