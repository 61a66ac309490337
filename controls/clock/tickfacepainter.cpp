#include "clock/tickfacepainter.h"

#include "clock/analoggeometry.h"
#include "clock/olecolor.h"
#include "clock/tickfacemodel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tickface {
namespace {

using namespace geometry;

void drawPicture(QPainter *p, const QRectF &area, const QImage &image, short layout)
{
    if (image.isNull())
        return;
    switch (layout) {
    case TkfStretch:
        p->drawImage(area, image);
        break;
    case TkfTile:
        p->drawTiledPixmap(area, QPixmap::fromImage(image));
        break;
    default: {
        QRectF r(QPointF(0, 0), QSizeF(image.size()));
        r.moveCenter(area.center());
        p->drawImage(r.topLeft(), image);
        break;
    }
    }
}

// A copy of the font made small enough that `text` fits `width`.
QFont fitted(QFont font, const QString &text, double width, double height)
{
    for (int i = 0; i < 40; ++i) {
        const QFontMetricsF fm(font);
        if ((fm.horizontalAdvance(text) <= width && fm.height() <= height) || font.pixelSize() == 6 || font.pointSizeF() <= 4.0)
            break;
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(6, int(font.pixelSize() * 0.9)));
        else
            font.setPointSizeF(std::max(4.0, font.pointSizeF() * 0.9));
    }
    return font;
}

void drawCentredText(QPainter *p, const QPointF &centre, const QString &text)
{
    const QFontMetricsF fm(p->font());
    const double w = fm.horizontalAdvance(text);
    p->drawText(QPointF(centre.x() - w / 2.0, centre.y() + (fm.ascent() - fm.descent()) / 2.0), text);
}

void drawHand(QPainter *p, const QRectF &face, int index, Hand hand, const QColor &colour)
{
    const HandShape s = handShape(face, index, hand);
    p->setPen(QPen(colour, 1.0));
    p->setBrush(colour);
    p->drawPolygon(s.polygon());
    p->drawLine(s.tail, s.tip);
}

void paintAnalog(QPainter *p, const QRectF &face, const TickfaceModel &m)
{
    const QColor fore = fromOleColor(m.ForeColor());
    const bool dial24 = m.Show24();
    const QRectF plate = plateRect(face);

    if (m.ShowPlate()) {
        p->setPen(QPen(fore, 2.0));
        p->setBrush(Qt::NoBrush);
        p->drawEllipse(plate);
        // Minute marks, longer at the hours.
        const QPointF c = face.center();
        const double rx = face.width() / 2.0;
        const double ry = face.height() / 2.0;
        const int hourStep = dial24 ? 5 : 10;
        for (int i = 0; i < DirectionCount; i += 2) {
            const Direction d = directions()[size_t(i)];
            const bool atHour = i % hourStep == 0;
            const double inner = atHour ? 0.88 : 0.92;
            p->setPen(QPen(fore, atHour ? 2.0 : 1.0));
            p->drawLine(QPointF(c.x() + d.x * inner * rx, c.y() + d.y * inner * ry),
                        QPointF(c.x() + d.x * 0.95 * rx, c.y() + d.y * 0.95 * ry));
        }
    }

    if (m.ShowNumber()) {
        QFont font = m.NumberFont();
        const double limit = numberPixelSize(face, dial24);
        if (QFontMetricsF(font).height() > limit * 1.4)
            font.setPixelSize(std::max(6, int(limit)));
        p->setFont(font);
        p->setPen(fromOleColor(m.NumberColor()));
        const QList<QPointF> centres = numberCentres(face, dial24);
        for (int i = 0; i < centres.size(); ++i)
            drawCentredText(p, centres[i], numberText(i, dial24));
    }

    // Caption at a quarter and the date at three quarters of the plate's height.
    p->setPen(fore);
    const double textWidth = plate.width() * 0.5;
    const double textHeight = plate.height() * 0.16;
    if (!m.Caption().isEmpty()) {
        p->setFont(fitted(m.Font(), m.Caption(), textWidth, textHeight));
        drawCentredText(p, QPointF(plate.center().x(), plate.top() + plate.height() / 4.0), m.Caption());
    }
    if (m.ShowDate()) {
        const QString date = m.dateText();
        p->setFont(fitted(m.Font(), date, textWidth * 1.2, textHeight));
        drawCentredText(p, QPointF(plate.center().x(), plate.top() + plate.height() * 3.0 / 4.0), date);
    }

    const QTime t = m.displayedTime().time();
    drawHand(p, face, hourIndex(t, dial24), Hand::Hour, fromOleColor(m.HourColor()));
    drawHand(p, face, minuteIndex(t), Hand::Minute, fromOleColor(m.MinuteColor()));
    if (m.ShowSecond())
        drawHand(p, face, secondIndex(t), Hand::Second, fromOleColor(m.SecondColor()));
    // The hub over the hands, in the hour hand's colour.
    const double hub = std::max(2.0, std::min(face.width(), face.height()) * 0.025);
    p->setPen(Qt::NoPen);
    p->setBrush(fromOleColor(m.HourColor()));
    p->drawEllipse(face.center(), hub, hub);
}

void paintDigital(QPainter *p, const QRectF &face, const TickfaceModel &m)
{
    p->setPen(fromOleColor(m.ForeColor()));
    const QString time = m.timeText();
    const double inner = face.width() * 0.94;
    if (!m.ShowDate()) {
        p->setFont(fitted(m.Font(), time, inner, face.height()));
        drawCentredText(p, face.center(), time);
        return;
    }
    // Date above, time below, each in half the height.
    const QString date = m.dateText();
    const double half = face.height() / 2.0;
    p->setFont(fitted(m.Font(), date, inner, half));
    drawCentredText(p, QPointF(face.center().x(), face.top() + half / 2.0), date);
    p->setFont(fitted(m.Font(), time, inner, half));
    drawCentredText(p, QPointF(face.center().x(), face.top() + half * 1.5), time);
}

} // namespace

void paintFace(QPainter *painter, const QRectF &rect, const TickfaceModel &m)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);

    QRectF face = rect;
    if (m.BorderStyle() == TkfBorderFixedSingle)
        face = rect.adjusted(1, 1, -1, -1);
    const bool analog = m.ClockType() != TkfDigital;
    const bool transparent = m.FrameType() == TkfFrameTransparent;
    const QColor back = fromOleColor(m.BackColor());

    // Background: the whole rectangle, or with a transparent frame only the
    // analog plate (a transparent digital clock draws no background at all).
    if (!transparent) {
        painter->fillRect(rect, back);
        drawPicture(painter, face, m.pictureImage(), m.PictureLayout());
    } else if (analog) {
        QPainterPath plate;
        plate.addEllipse(geometry::plateRect(face));
        painter->fillPath(plate, back);
        painter->save();
        painter->setClipPath(plate);
        drawPicture(painter, face, m.pictureImage(), m.PictureLayout());
        painter->restore();
    }

    if (analog)
        paintAnalog(painter, face, m);
    else
        paintDigital(painter, face, m);

    if (m.BorderStyle() == TkfBorderFixedSingle) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setBrush(Qt::NoBrush);
        const QRectF r = rect.adjusted(0, 0, -1, -1);
        if (m.Appearance() == TkfApp3D) {
            // Sunken: dark above and left, light below and right.
            painter->setPen(QColor(128, 128, 128));
            painter->drawLine(r.topLeft(), r.topRight());
            painter->drawLine(r.topLeft(), r.bottomLeft());
            painter->setPen(QColor(255, 255, 255));
            painter->drawLine(r.bottomLeft(), r.bottomRight());
            painter->drawLine(r.topRight(), r.bottomRight());
        } else {
            painter->setPen(fromOleColor(m.ForeColor()));
            painter->drawRect(r);
        }
    }
    painter->restore();
}

} // namespace tickface
