#pragma once

#include <QColor>
#include <QPalette>

namespace calendar {

// Colours 0x00BBGGRR; a high byte 0x80 names a system colour, taken from the palette.
QColor fromOleColor(quint32 color, const QPalette &palette);

namespace syscolor {
inline constexpr quint32 WindowText = 0x80000008;
inline constexpr quint32 ButtonFace = 0x8000000F;
inline constexpr quint32 ButtonShadow = 0x80000010;
inline constexpr quint32 ButtonText = 0x80000012;
inline constexpr quint32 ButtonHighlight = 0x80000014;
} // namespace syscolor

} // namespace calendar
