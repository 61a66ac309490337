#pragma once

#include <QByteArray>
#include <QList>

namespace automation {

// What a dispatch identifier names.
enum class MemberKind {
    Property, // a Q_PROPERTY; an indexed property is a Q_INVOKABLE getter
              // Name(index...) and setter setName(index..., value)
    Method,   // a Q_INVOKABLE member function
    Event,    // a signal
};

// One row of a control's dispatch table: the fixed identifier of a member and
// its name.  Meta-object indexes shift when declarations change; these do not.
struct DispatchMember
{
    qint32 id;
    const char *name;
    MemberKind kind;
};

using DispatchTable = QList<DispatchMember>;

// Standard identifiers of the stock members.
namespace dispid {
inline constexpr qint32 BackColor = -501;
inline constexpr qint32 BorderStyle = -504;
inline constexpr qint32 Font = -512;
inline constexpr qint32 ForeColor = -513;
inline constexpr qint32 Enabled = -514;
inline constexpr qint32 Caption = -518;
inline constexpr qint32 Appearance = -520;
inline constexpr qint32 AboutBox = -552;
inline constexpr qint32 Click = -600;
inline constexpr qint32 DblClick = -601;
inline constexpr qint32 KeyDown = -602;
inline constexpr qint32 KeyPress = -603;
inline constexpr qint32 KeyUp = -604;
inline constexpr qint32 MouseDown = -605;
inline constexpr qint32 MouseMove = -606;
inline constexpr qint32 MouseUp = -607;
} // namespace dispid

} // namespace automation
