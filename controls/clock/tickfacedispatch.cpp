#include "clock/tickfacedispatch.h"

namespace tickface {

using automation::DispatchMember;
using automation::MemberKind;
namespace dispid = automation::dispid;

const automation::DispatchTable &dispatchTable()
{
    // In the order of the interface's description.
    static const automation::DispatchTable table = {
        {dispid::BackColor, "BackColor", MemberKind::Property},
        {dispid::Caption, "Caption", MemberKind::Property},
        {dispid::ForeColor, "ForeColor", MemberKind::Property},
        {dispid::Font, "Font", MemberKind::Property},
        {1, "ShowDate", MemberKind::Property},
        {2, "Show24", MemberKind::Property},
        {3, "ShowSecond", MemberKind::Property},
        {4, "ShowNumber", MemberKind::Property},
        {5, "ClockType", MemberKind::Property},
        {6, "DifferenceTime", MemberKind::Property},
        {7, "ChimeSw", MemberKind::Property},
        {8, "ChimeWav", MemberKind::Property},
        {9, "AlarmSw", MemberKind::Property},
        {10, "AlarmSetting", MemberKind::Property},
        {11, "AlarmWav", MemberKind::Property},
        {12, "HourColor", MemberKind::Property},
        {13, "MinuteColor", MemberKind::Property},
        {14, "SecondColor", MemberKind::Property},
        {15, "DateFormat", MemberKind::Property},
        {16, "TimeFormat", MemberKind::Property},
        {17, "BaseTime", MemberKind::Property},
        {22, "Picture", MemberKind::Property},
        {23, "NumberFont", MemberKind::Property},
        {dispid::Appearance, "Appearance", MemberKind::Property},
        {18, "NumberColor", MemberKind::Property},
        {19, "AlarmTime", MemberKind::Property},
        {24, "DisplayTime", MemberKind::Property},
        {dispid::BorderStyle, "BorderStyle", MemberKind::Property},
        {20, "PictureLayout", MemberKind::Property},
        {21, "ShowPlate", MemberKind::Property},
        {25, "FrameType", MemberKind::Property},
        {26, "GetDateString", MemberKind::Method},
        {27, "GetTimeString", MemberKind::Method},
        {28, "OffsetTime", MemberKind::Method},
        {dispid::AboutBox, "AboutBox", MemberKind::Method},
        {dispid::Click, "Click", MemberKind::Event},
        {dispid::DblClick, "DblClick", MemberKind::Event},
        {1, "Alarm", MemberKind::Event},
        {2, "HourChanged", MemberKind::Event},
        {3, "MinuteChanged", MemberKind::Event},
        {4, "SecondChanged", MemberKind::Event},
    };
    return table;
}

} // namespace tickface
