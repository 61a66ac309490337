#pragma once

#include <QRectF>

class QPainter;
class TickfaceModel;

// Draws a clock's face, analog or digital, for its displayed time into any
// painter: the widget's paint event, a picture for a test, a printer.
namespace tickface {

void paintFace(QPainter *painter, const QRectF &rect, const TickfaceModel &model);

} // namespace tickface
