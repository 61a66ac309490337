#include "tools/Masterio/xlsxcell.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace masterio {

namespace {

QString shortestNumber(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

} // namespace

bool XlsxCell::isBlank() const
{
    return kind == Kind::Empty || (kind == Kind::Text && text.trimmed().isEmpty());
}

QString XlsxCell::displayText() const
{
    switch (kind) {
    case Kind::Empty:
        return {};
    case Kind::Number:
        return shortestNumber(number);
    case Kind::Boolean:
        return number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Kind::Text:
    case Kind::Error:
        return text;
    }
    return {};
}

std::optional<double> XlsxCell::numeric() const
{
    switch (kind) {
    case Kind::Number:
        return number;
    case Kind::Boolean:
        return number != 0 ? -1.0 : 0.0;
    case Kind::Text: {
        bool ok = false;
        const double value = QLocale::c().toDouble(text.trimmed(), &ok);
        if (ok && std::isfinite(value))
            return value;
        return std::nullopt;
    }
    case Kind::Empty:
    case Kind::Error:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace masterio
