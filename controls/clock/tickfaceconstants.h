#pragma once

// Enumerations of the clock's automation interface (16-bit values).
namespace tickface {

enum BorderStyle : short { TkfBorderNone = 0, TkfBorderFixedSingle = 1 };
enum Appearance : short { TkfAppFlat = 0, TkfApp3D = 1 };
enum FrameType : short { TkfFrameRectangle = 0, TkfFrameCircle = 1, TkfFrameTransparent = 2 };
enum ClockType : short { TkfAnalog = 0, TkfDigital = 1 };
enum BaseTime : short { TkfLocal = 0, TkfGMT = 1, TkfUserSet = 2 };
enum AlarmSetting : short { TkfOnce = 0, TkfEveryday = 1 };
enum PictureLayout : short { TkfCenter = 0, TkfTile = 1, TkfStretch = 2 };

// The timer period of a running clock.
inline constexpr int TickIntervalMs = 450;

// The sound path that names no sound.
inline constexpr const char *NoSound = "(None)";

} // namespace tickface
