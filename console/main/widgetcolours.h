#pragma once

#include <QColor>

class QWidget;

// Colours of the form's labels and buttons as the operators' documents give
// them: 0x00BBGGRR values, 0x800000nn naming a system colour.  Each widget
// keeps the value it was given (property "BackColor" / "ForeColor"), so a
// test reads back exactly what the screen was told to show.
namespace console::widgetcolour {

inline constexpr quint32 ButtonFace = 0x8000000F;    // COLOR_BTNFACE
inline constexpr quint32 HighlightText = 0x8000000E; // COLOR_HIGHLIGHTTEXT
inline constexpr quint32 Yellow = 0x00FFFF;          // RGB 255,255,0
inline constexpr quint32 Red = 0x0000FF;             // RGB 255,0,0
inline constexpr quint32 White = 0xFFFFFF;
inline constexpr quint32 Black = 0x000000;

// The colour to paint with: system colours from the widget's palette.
QColor resolve(quint32 ole, const QWidget *widget);

void setBackColor(QWidget *widget, quint32 ole);
void setForeColor(QWidget *widget, quint32 ole);
quint32 backColor(const QWidget *widget);
quint32 foreColor(const QWidget *widget);

} // namespace console::widgetcolour
