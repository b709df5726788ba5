#include "toolkit/widgets/MenuItem.h"
#include "toolkit/base/ClassInfo.h"

namespace tk {

std::string ShortCutToText(int shortcut)
{
    std::string text;
    if (shortcut & scShift) text += "Shift+";
    if (shortcut & scCtrl) text += "Ctrl+";
    if (shortcut & scAlt) text += "Alt+";
    const int key = shortcut & 0xFF;
    if (key >= VK_F1 && key <= VK_F24) return text + "F" + std::to_string(key - VK_F1 + 1);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + static_cast<char>(key);
    char name[64] = {};
    const UINT scan = ::MapVirtualKeyA(static_cast<UINT>(key), 0 /* MAPVK_VK_TO_VSC */);
    if (::GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name) > 0) return text + name;
    return text;
}

const TClassInfo& TMenuItem::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TMenuItem", &TComponent::StaticClass(), [](TComponent* owner) -> TComponent* { return new TMenuItem(owner); },
        [](TClassInfo& c) {
            c.Text("Caption", &TMenuItem::SetCaption);
            c.Integer("ShortCut", &TMenuItem::SetShortCut);
            c.Boolean("Enabled", &TMenuItem::SetEnabled);
            c.Boolean("Visible", &TMenuItem::SetVisible);
            c.Event("OnClick", &TMenuItem::OnClick);
        });
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

void TMenuItem::Click()
{
    if (m_enabled && OnClick) OnClick(this);
}

} // namespace tk
