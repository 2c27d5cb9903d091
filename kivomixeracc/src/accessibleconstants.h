// The bridge's own accessibility vocabulary, with the numbering of the
// per-child-id API that its classes implement (child id 0 is the object,
// 1..n its children). These values deliberately live apart from Qt 5's
// QAccessible enumerations, whose state and relation numbers differ; only
// the adapter (qt5adapter.h) translates between the two.
#pragma once
#include <QtGlobal>

namespace kivoacc {

namespace State {
enum : quint32 {
    Normal = 0,
    Unavailable = 0x1,
    Focused = 0x4,
    ReadOnly = 0x40,
    Invisible = 0x8000,
    Sizeable = 0x20000,
    Movable = 0x40000,
    Focusable = 0x100000,
    ExtSelectable = 0x2000000,
    Protected = 0x20000000,
};
}

namespace Relation {
enum : quint32 {
    Unrelated = 0,
    Self = 0x1,
    Ancestor = 0x2,
    Child = 0x4,
    Descendent = 0x8,
    Sibling = 0x10,
    Up = 0x100,
    Down = 0x200,
    Left = 0x400,
    Right = 0x800,
    Covers = 0x1000,
    Covered = 0x2000,
    FocusChild = 0x10000,
    Label = 0x20000,
    Labelled = 0x40000,
    Controller = 0x80000,
};
}

namespace Text {
enum : int { Name = 0, Description = 1, Value = 2, Help = 3 };
}

namespace Action {
enum : int { DefaultAction = 0, SetFocus = -2 };
}

// Roles share Qt's numbering (unchanged between Qt 4 and Qt 5).
namespace Role {
enum : int {
    TitleBar = 1, ScrollBar = 3, Window = 9, PopupMenu = 11, Application = 14,
    Pane = 16, Dialog = 18, Grouping = 20, ToolBar = 22, List = 33, Tree = 35,
    StaticText = 41, EditableText = 42, PushButton = 43, CheckBox = 44,
    ComboBox = 46, ProgressBar = 48, HotkeyField = 50, Slider = 51,
    Animation = 54, PageTabList = 60, Splitter = 62, UserRole = 65535,
};
}

// Return values of navigate(): a full interface in the target, or failure.
// A positive value names a sub-element of the navigating object.
constexpr int NavigatedToInterface = 0;
constexpr int NavigationFailed = -1;

} // namespace kivoacc
