#include "chart/olecolor.h"

namespace chart::olecolor {

QColor resolveSystem(SystemColor c, const QPalette &p)
{
    switch (c) {
    case ScrollBar: return p.color(QPalette::Button);
    case Background: return p.color(QPalette::Window);
    case ActiveCaption: return p.color(QPalette::Active, QPalette::Highlight);
    case InactiveCaption: return p.color(QPalette::Inactive, QPalette::Highlight);
    case Menu: return p.color(QPalette::Window);
    case Window: return p.color(QPalette::Base);
    case WindowFrame: return p.color(QPalette::Shadow);
    case MenuText: return p.color(QPalette::WindowText);
    case WindowText: return p.color(QPalette::Text);
    case CaptionText: return p.color(QPalette::HighlightedText);
    case ActiveBorder:
    case InactiveBorder: return p.color(QPalette::Window);
    case AppWorkspace: return p.color(QPalette::Mid);
    case Highlight: return p.color(QPalette::Highlight);
    case HighlightText: return p.color(QPalette::HighlightedText);
    case ButtonFace: return p.color(QPalette::Button);
    case ButtonShadow: return p.color(QPalette::Dark);
    case GrayText: return p.color(QPalette::Disabled, QPalette::Text);
    case ButtonText: return p.color(QPalette::ButtonText);
    case InactiveCaptionText: return p.color(QPalette::Inactive, QPalette::HighlightedText);
    case ButtonHighlight: return p.color(QPalette::Light);
    case DarkShadow3D: return p.color(QPalette::Shadow);
    case Light3D: return p.color(QPalette::Midlight);
    case InfoText: return p.color(QPalette::ToolTipText);
    case InfoBackground: return p.color(QPalette::ToolTipBase);
    }
    return QColor(Qt::black);
}

QColor resolve(quint32 ole, const QPalette &palette)
{
    if (isSystem(ole)) {
        const quint32 index = ole & 0xFFu;
        if (index > InfoBackground || (ole & 0x00FFFF00u) != 0)
            return QColor(Qt::black);
        return resolveSystem(SystemColor(index), palette);
    }
    return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
}

quint32 fromQColor(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return fromRgb(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace chart::olecolor
