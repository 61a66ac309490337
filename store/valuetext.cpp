#include "store/valuetext.h"

#include <QLocale>

#include <cmath>

namespace store {

QString setValueText(float value)
{
    if (value == 0.0f)
        return QStringLiteral("0"); // also for -0
    const double d = double(value);
    if (!std::isfinite(d))
        return QLocale::c().toString(d);
    // Seven significant digits hide the binary noise of the single (0.1f is
    // 0.100000001...); 'g' drops trailing zeros and the point of whole values.
    QString text = QLocale::c().toString(d, 'g', 7);
    return text;
}

} // namespace store
