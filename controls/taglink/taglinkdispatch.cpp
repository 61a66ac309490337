#include "taglink/taglinkdispatch.h"

namespace taglink {

const automation::DispatchTable &dispatchTable()
{
    using automation::MemberKind;
    static const automation::DispatchTable table = {
        {1, "LoginID", MemberKind::Property},
        {2, "LoginPassword", MemberKind::Property},
        {3, "Active", MemberKind::Property},
        {4, "BufferedWriteMode", MemberKind::Property},
        {5, "TimerEnabled", MemberKind::Property},
        {6, "TimerInterval", MemberKind::Property},
        {7, "TagList", MemberKind::Property},
        {8, "Close", MemberKind::Method},
        {9, "PLCTagCount", MemberKind::Property},
        {10, "Open", MemberKind::Method},
        {11, "FlushWriteBuffer", MemberKind::Method},
        {12, "DisableAllPLCTagChangeEvnet", MemberKind::Method},
        {13, "TagSelectDialog", MemberKind::Method},
        {14, "ResetAllPLCTagChangeFlag", MemberKind::Method},
        {15, "PLCTagValue", MemberKind::Property},
        {16, "PLCTagName", MemberKind::Property},
        {17, "PLCTagChangeFlag", MemberKind::Property},
        {18, "EnablePLCTagChangeEvent", MemberKind::Property},
        {automation::dispid::AboutBox, "AboutBox", MemberKind::Method},
        // Events (their own interface, numbered from 1).
        {1, "PLCTagChange", MemberKind::Event},
        {2, "Timer", MemberKind::Event},
        {3, "Alarm", MemberKind::Event},
    };
    return table;
}

} // namespace taglink
