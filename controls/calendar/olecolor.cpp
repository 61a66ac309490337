#include "calendar/olecolor.h"

namespace calendar {

QColor fromOleColor(quint32 color, const QPalette &palette)
{
    if ((color & 0xFF000000u) == 0x80000000u) {
        switch (color & 0xFFu) {
        case 0x05: return palette.color(QPalette::Base);          // window
        case 0x08: return palette.color(QPalette::Text);          // window text
        case 0x0D: return palette.color(QPalette::Highlight);
        case 0x0E: return palette.color(QPalette::HighlightedText);
        case 0x0F: return palette.color(QPalette::Button);        // button face
        case 0x10: return palette.color(QPalette::Dark);          // button shadow
        case 0x11: return palette.color(QPalette::Disabled, QPalette::Text);
        case 0x12: return palette.color(QPalette::ButtonText);
        case 0x14: return palette.color(QPalette::Light);         // button highlight
        case 0x15: return palette.color(QPalette::Shadow);        // dark shadow
        case 0x16: return palette.color(QPalette::Midlight);
        case 0x18: return palette.color(QPalette::ToolTipBase);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

} // namespace calendar
