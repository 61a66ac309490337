#include "clock/olecolor.h"

#include <QGuiApplication>
#include <QPalette>

namespace tickface {

QColor fromOleColor(quint32 ole)
{
    if ((ole & 0xFF000000u) == 0x80000000u) {
        const QPalette pal = QGuiApplication::palette();
        switch (ole & 0xFFu) {
        case 5:  // window background
            return pal.color(QPalette::Base);
        case 8:  // window text
            return pal.color(QPalette::Text);
        case 15: // button face
            return pal.color(QPalette::Button);
        case 18: // button text
            return pal.color(QPalette::ButtonText);
        case 13: // highlight
            return pal.color(QPalette::Highlight);
        case 14: // highlight text
            return pal.color(QPalette::HighlightedText);
        case 16: // button shadow
            return pal.color(QPalette::Dark);
        case 20: // button highlight
            return pal.color(QPalette::Light);
        default:
            return pal.color(QPalette::WindowText);
        }
    }
    return QColor(int(ole & 0xFFu), int((ole >> 8) & 0xFFu), int((ole >> 16) & 0xFFu));
}

quint32 toOleColor(const QColor &c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

} // namespace tickface
