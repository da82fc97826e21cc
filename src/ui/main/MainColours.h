#pragma once

#include <QColor>

// The main window's own colours; the background and caption colours come with the colour scheme.
namespace MainColours {

inline const QColor ReadoutBackground(0, 0, 0);
inline const QColor TimeColour(0, 255, 0);
inline const QColor DayColour(255, 0, 0);
inline const QColor NavyCaption(0, 0, 128);
inline const QColor GreyArrow(128, 128, 128);
inline const QColor GreenArrow(0, 160, 0);
inline const QColor RedArrow(200, 0, 0);
// Panel glyphs stand out on the system grey and on black alike.
inline const QColor PanelInk(128, 136, 150);
inline const QColor PanelAccent(60, 130, 210);
inline const QColor HotSpotBright(255, 0, 0);
inline const QColor HotSpotDark(128, 0, 0);
inline const QColor PageInk(40, 44, 52);
inline const QColor PageHeaderText(255, 255, 255);

} // namespace MainColours
