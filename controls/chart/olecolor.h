#pragma once

#include <QColor>
#include <QPalette>

// 32-bit OLE colours: 0x00BBGGRR, or 0x800000nn for system colour nn.
namespace chart::olecolor {

// System colour indexes (the low byte of a system OLE colour).
enum SystemColor : quint32 {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
};

constexpr quint32 SystemFlag = 0x80000000u;

constexpr quint32 system(SystemColor c) { return SystemFlag | quint32(c); }
constexpr bool isSystem(quint32 ole) { return (ole & 0xFF000000u) == SystemFlag; }

// The colours a host form offers by default (button text on button face).
constexpr quint32 HostForeColor = SystemFlag | ButtonText;
constexpr quint32 HostBackColor = SystemFlag | ButtonFace;

constexpr quint32 fromRgb(int r, int g, int b)
{
    return quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16);
}

// The colour to paint with: an RGB value as it is, a system colour taken from
// the palette (an unknown system index resolves to black).
QColor resolve(quint32 ole, const QPalette &palette);
QColor resolveSystem(SystemColor c, const QPalette &palette);

// An RGB colour as an OLE colour (alpha dropped).
quint32 fromQColor(const QColor &c);

} // namespace chart::olecolor
