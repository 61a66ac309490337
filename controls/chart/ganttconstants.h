#pragma once

#include <QObject>

// The enumerations of the time-chart control's automation interface, with
// the values hosts rely on.  Registered with the meta-object system so that
// hosts and scripts can look the names up.
namespace chart {
Q_NAMESPACE

enum GntActionStyleConstants { GntBrowse = 0, GntEdit = 1 };
Q_ENUM_NS(GntActionStyleConstants)

enum GntChartStyleConstants { GntFlatFace = 0, GntRaisedFace = 1 };
Q_ENUM_NS(GntChartStyleConstants)

enum GntFontStyleConstants {
    GntFlatFont = 0,
    GntRaisedFont = 1,
    GntRaisedSFont = 2,
    GntInsetFont = 3,
    GntInsetSFont = 4,
};
Q_ENUM_NS(GntFontStyleConstants)

enum GntPieceRangeConstants { GntStartHour = 0, GntStartMinute = 1, GntEndHour = 2, GntEndMinute = 3 };
Q_ENUM_NS(GntPieceRangeConstants)

enum GntPieceTypeConstants { GntDot = 0, GntLine = 1, GntRect = 2 };
Q_ENUM_NS(GntPieceTypeConstants)

enum GntShowItemConstants { GntShowItem = 0, GntHideItem = 1 };
Q_ENUM_NS(GntShowItemConstants)

enum GntScaleModeConstants { GntWindowFit = 0, GntFreeSize = 1 };
Q_ENUM_NS(GntScaleModeConstants)

enum GntItemHeightModeConstants { GntIhmAutomatic = 0, GntIhmFreeSize = 1 };
Q_ENUM_NS(GntItemHeightModeConstants)

enum GntPieceTextPositionConstants { GntTextPosCenter = 0, GntTextPosLeft = 1, GntTextPosRight = 2 };
Q_ENUM_NS(GntPieceTextPositionConstants)

enum GntAppearanceConstants { GntFlat = 0, Gnt3D = 1 };
Q_ENUM_NS(GntAppearanceConstants)

enum GntFindPieceRangeConstants { GntAllIncluded = 0, GntSubIncluded = 1 };
Q_ENUM_NS(GntFindPieceRangeConstants)

enum GntFindPieceTextConstants { GntWholeWord = 2, GntMatchCase = 4 };
Q_ENUM_NS(GntFindPieceTextConstants)

enum GntUIMaskConstants {
    GntMaskAddItemUI = 1,
    GntMaskInsertItemUI = 2,
    GntMaskRemoveItemUI = 4,
    GntMaskEditItemNameUI = 8,
    GntMaskEditPieceTextUI = 16,
    GntMaskAddPieceUI = 32,
    GntMaskMovePieceUI = 64,
    GntMaskRemovePieceUI = 128,
};
Q_ENUM_NS(GntUIMaskConstants)

// The border styles of the stock BorderStyle property.
enum BorderStyleConstants { BorderNone = 0, BorderFixedSingle = 1 };
Q_ENUM_NS(BorderStyleConstants)

} // namespace chart
