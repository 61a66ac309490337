#pragma once

#include <QTime>

class QLabel;
class Tickface;

namespace console {

// PaintPieceClock: one of the two clocks of a chosen reservation and its
// time label, coloured by the hour shown: day colours from 7 to 17 o'clock,
// night colours otherwise; caption "Am"/"Pm"; the label shows "hh時nn分" in
// the clock's back and number colours.
void paintPieceClock(Tickface *clock, QLabel *label, const QTime &time);

// Sets up a clock that shows a given time (not the running clock).
void preparePieceClock(Tickface *clock);

} // namespace console
