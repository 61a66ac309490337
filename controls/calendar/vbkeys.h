#pragma once

#include <Qt>

namespace calendar {

// Key codes, shift masks and buttons as the stock key and mouse events carry them.
short vbKeyCode(int qtKey);
short vbShiftMask(Qt::KeyboardModifiers modifiers);
short vbButton(Qt::MouseButtons buttons);

} // namespace calendar
