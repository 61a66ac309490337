#pragma once

#include <QRect>
#include <QSize>
#include <QString>

namespace store {
class Settings;
}

namespace console {

// The settings the main screen reads once at start-up from the local
// Sch.ini and keeps for the life of the process.
struct StartupSettings
{
    bool frontMost = false;   // Gamen ZFlg is exactly "1"
    int chartFontSize = 9;    // Chart FontSize when numeric
    int itemColumnWidth = 200; // Chart GPWidth when numeric (pixels)
    int clockFontSize = 12;   // TIME FontSize when numeric
    bool closeButtonShown = true; // EndBtn DISP: shown when its value is 0
    int writePauseMs = 0;     // MENTE TIMER, 0 when empty

    // Size Flg and Left/Top/Width/Height as written (twips).
    QString sizeFlag;
    QString left;
    QString top;
    QString width;
    QString height;

    static StartupSettings read(const store::Settings &settings);

    // The window's place in pixels on a screen of the given size: with Size
    // Flg "0" the whole screen; otherwise Left and Top when numeric (else 0),
    // Width and Height when numeric (else the screen's).  Values are twips
    // (pixels × 15) taken as 16-bit integers.
    QRect placement(const QSize &screen) const;
};

// Twips to pixels, to the nearest whole pixel.
int twipsToPixels(int twips);
// A settings text as a 16-bit integer (clamped); nothing when not numeric.
bool twipsValue(const QString &text, int *value);

} // namespace console
