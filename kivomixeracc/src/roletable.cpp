#include "roletable.h"
#include "accessibleconstants.h"
#include "classtest.h"

namespace kivoacc {

namespace {
struct RoleRule {
    const char *className;
    int role;
};

// Order matters: first match wins.
const RoleRule kRoleRules[] = {
    {"VexTreeWidget", Role::Pane},
    {"VexTreeView", Role::EditableText},
    {"VexAbstractItemContainer", Role::Tree},
    {"VexAbstractViewItem", Role::PushButton},
    {"VexAnimationWidget", Role::Animation},
    {"VexApplication", Role::Application},
    {"VexButtonGroup", Role::Grouping},
    {"VexCheckBox", Role::CheckBox},
    {"VexComboBox", Role::ComboBox},
    {"VexDialog", Role::Dialog},
    {"VexEditLabel", Role::EditableText},
    {"VexFrameItem", Role::UserRole},
    {"VexFrameWindow", Role::Window},
    {"VexHotkeyWidget", Role::HotkeyField},
    {"VexImageWidget", Role::PushButton},
    {"VexLabelWidget", Role::EditableText},
    {"VexLineEdit", Role::EditableText},
    {"VexListWidget", Role::List},
    {"VexMenu", Role::PopupMenu},
    {"VexNativeLineEdit", Role::EditableText},
    {"VexProgressBar", Role::ProgressBar},
    {"VexPushButton", Role::PushButton},
    {"VexRadioButton", Role::PushButton},
    {"VexScrollArea", Role::ScrollBar},
    {"VexScrollBar", Role::ScrollBar},
    {"VexSliderWidget", Role::Slider},
    {"VexSpliterWidget", Role::Splitter},
    {"VexStackedWidget", Role::Pane},
    {"VexTab", Role::PageTabList},
    {"VexTextEdit", Role::EditableText},
    {"VexTitlebar", Role::TitleBar},
    {"VexToolBar", Role::ToolBar},
    {"VexTrayIcon", Role::UserRole},
    {"VexView", Role::Pane},
    {"VexHtmlLabelWidget", Role::StaticText},
    {"VexWebImageWidget", Role::PushButton},
    {"QGraphicsScene", Role::Pane},
    {"TabItem", Role::PushButton},
    {"KivoToolWidget", Role::PushButton},
    {"QPushButton", Role::PushButton},
};
} // namespace

int roleOfObject(const QObject *object)
{
    if (!object)
        return Role::UserRole;
    for (const RoleRule &rule : kRoleRules) {
        if (inheritsClass(object, rule.className))
            return rule.role;
    }
    return Role::UserRole;
}

} // namespace kivoacc
