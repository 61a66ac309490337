#pragma once

#include <QColor>

namespace tickface {

// An automation colour 0x00BBGGRR, or a system colour 0x800000nn, as a QColor.
// System colours are mapped to the application palette's nearest role.
QColor fromOleColor(quint32 ole);
// A QColor as an automation colour 0x00BBGGRR.
quint32 toOleColor(const QColor &c);

} // namespace tickface
