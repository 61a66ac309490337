#pragma once

#include "calendar/olecolor.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace calendar {

// DfdGridFillPatternConstants
enum GridFillPattern : qint16 { DfdNotFill = 0, DfdHorizontal = 1, DfdVertical = 2, DfdCross = 3 };
// DfdAppearanceConstants
enum Appearance : qint16 { DfdFlat = 0, Dfd3D = 1 };
// DfdInitialDateConstants
enum InitialDate : qint16 { DfdToday = 0, DfdPreset = 1 };
// DfdPictureLayoutConstants
enum PictureLayout : qint16 { DfdCenter = 0, DfdTile = 1, DfdStretch = 2 };

// The calendar's drawing properties with their defaults.
struct DatefoldProperties
{
    quint32 DayFillColorA = syscolor::ButtonFace;
    quint32 DayFillColorB = syscolor::ButtonFace;
    QString DayFormat = QStringLiteral("d");
    quint32 GridColorBR = syscolor::ButtonShadow;
    quint32 GridColorTL = syscolor::ButtonHighlight;
    qint16 GridFillPattern = DfdHorizontal;
    bool GridLine = true;
    qint16 GridSpace = 2;
    quint32 SpecialHolidayColor = 0x000000FF;
    qint16 InitialDate = DfdToday;
    QString MonthFormat = QStringLiteral("M");
    quint32 SaturdayColor = 0x00FF0000;
    quint32 SundayColor = 0x000000FF;
    QString WeekFormat = QStringLiteral("ddd");
    quint32 WeekdayColor = syscolor::ButtonText; // the control's ForeColor
    QString YearFormat = QStringLiteral("yyyy  -  ");
    bool ShowYearMonth = true;
    QFont NumberFont;
    QImage Picture;
    QFont WeekFont;
    QFont MemoFont;
    qint16 PictureLayout = DfdCenter;
    bool ShowCursor = true;
    bool ShowToolTip = true;
    quint32 TodayTextColor = 0;
    quint32 TodayBackColor = 0x00FFFFFF;
    bool EnableTodayColor = false;

    // Stock properties.
    qint16 Appearance = Dfd3D;
    quint32 BackColor = syscolor::ButtonFace;
    qint16 BorderStyle = 0;
    QString Caption;
    quint32 ForeColor = syscolor::ButtonText;
    QFont Font;
};

} // namespace calendar
