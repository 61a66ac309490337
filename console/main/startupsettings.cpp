#include "console/main/startupsettings.h"

#include "store/settings.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace console {

namespace {

// A key that is numeric as a whole ("12", " -3 "), the way a numeric test of
// the settings text reads it; "12abc" is not numeric.
bool numericValue(const QString &text, int *value)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!number.match(text).hasMatch())
        return false;
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok) // beyond 64 bits: take the sign's end of the range
        *value = text.trimmed().startsWith(QLatin1Char('-')) ? -32768 : 32767;
    else
        *value = int(std::clamp<qlonglong>(v, -32768, 32767));
    return true;
}

int numericOr(const QString &text, int fallback)
{
    int v = 0;
    return numericValue(text, &v) ? v : fallback;
}

} // namespace

int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
}

bool twipsValue(const QString &text, int *value)
{
    return numericValue(text, value);
}

StartupSettings StartupSettings::read(const store::Settings &settings)
{
    using namespace store::ini;
    StartupSettings s;
    s.frontMost = settings.readLocal(Gamen, ZFlg) == QLatin1String("1");
    s.chartFontSize = numericOr(settings.readLocal(Chart, FontSize), store::Settings::DefaultChartFontSize);
    s.itemColumnWidth = numericOr(settings.readLocal(Chart, GPWidth), store::Settings::DefaultChartGroupWidth);
    s.clockFontSize = numericOr(settings.readLocal(Time, FontSize), store::Settings::DefaultClockFontSize);
    s.sizeFlag = settings.readLocal(Size, SizeFlg);
    s.left = settings.readLocal(Size, Left);
    s.top = settings.readLocal(Size, Top);
    s.width = settings.readLocal(Size, Width);
    s.height = settings.readLocal(Size, Height);
    s.closeButtonShown = store::settingsInteger(settings.readLocal(EndBtn, Disp), 0) == 0;
    s.writePauseMs = settings.tagWritePauseMs();
    return s;
}

QRect StartupSettings::placement(const QSize &screen) const
{
    if (sizeFlag == QLatin1String("0"))
        return QRect(QPoint(0, 0), screen);
    int v = 0;
    const int x = twipsValue(left, &v) ? twipsToPixels(v) : 0;
    const int y = twipsValue(top, &v) ? twipsToPixels(v) : 0;
    const int w = twipsValue(width, &v) ? twipsToPixels(v) : screen.width();
    const int h = twipsValue(height, &v) ? twipsToPixels(v) : screen.height();
    return QRect(x, y, w, h);
}

} // namespace console
