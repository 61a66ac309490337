#include "console/main/widgetcolours.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace console::widgetcolour {

namespace {

QPalette::ColorRole systemRole(quint32 index)
{
    switch (index) {
    case 0x05: return QPalette::Base;            // window background
    case 0x08: return QPalette::Text;            // window text
    case 0x0D: return QPalette::Highlight;
    case 0x0E: return QPalette::HighlightedText;
    case 0x0F: return QPalette::Button;          // button face
    case 0x12: return QPalette::ButtonText;
    default: return QPalette::Window;
    }
}

} // namespace

QColor resolve(quint32 ole, const QWidget *widget)
{
    if (ole & 0x80000000u) {
        const QPalette palette = widget ? QApplication::palette(widget) : QApplication::palette();
        return palette.color(QPalette::Active, systemRole(ole & 0xFFu));
    }
    return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
}

void setBackColor(QWidget *widget, quint32 ole)
{
    widget->setProperty("BackColor", ole);
    QPalette p = widget->palette();
    const QColor c = resolve(ole, widget);
    if (qobject_cast<QAbstractButton *>(widget)) {
        p.setColor(QPalette::Button, c);
    } else {
        p.setColor(QPalette::Window, c);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(p);
}

void setForeColor(QWidget *widget, quint32 ole)
{
    widget->setProperty("ForeColor", ole);
    QPalette p = widget->palette();
    const QColor c = resolve(ole, widget);
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    widget->setPalette(p);
}

quint32 backColor(const QWidget *widget)
{
    const QVariant v = widget->property("BackColor");
    return v.isValid() ? v.toUInt() : ButtonFace;
}

quint32 foreColor(const QWidget *widget)
{
    const QVariant v = widget->property("ForeColor");
    return v.isValid() ? v.toUInt() : 0x80000012;
}

} // namespace console::widgetcolour
