#include "toolkit/widgets/PopupMenu.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/widgets/ImageList.h"

#include <algorithm>

namespace tk {

const TClassInfo& TPopupMenu::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TPopupMenu", &TComponent::StaticClass(),
        [](TComponent* owner) -> TComponent* { return new TPopupMenu(owner); },
        [](TClassInfo& c) { c.Reference("Images", &TPopupMenu::SetImages); });
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

void TPopupMenu::Add(TMenuItem* item)
{
    if (item && std::find(m_items.begin(), m_items.end(), item) == m_items.end()) m_items.push_back(item);
}

void TPopupMenu::AddChildComponent(TComponent* child)
{
    if (auto* item = dynamic_cast<TMenuItem*>(child)) Add(item);
}

void TPopupMenu::SetImages(TImageList* images)
{
    m_images = images;
    if (images) images->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == m_images) m_images = nullptr;
    m_items.erase(std::remove(m_items.begin(), m_items.end(), component), m_items.end());
}

void TPopupMenu::Popup(int x, int y, HWND owner)
{
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const TMenuItem* item = m_items[i];
        if (!item->Visible()) continue;
        std::string text = item->Caption();
        if (item->ShortCut()) {
            text += '\t';
            text += ShortCutToText(item->ShortCut());
        }
        const UINT flags = item->Caption() == "-" ? MF_SEPARATOR : MF_STRING | (item->Enabled() ? 0u : MF_GRAYED);
        ::AppendMenuA(menu.get(), flags, i + 1, text.c_str());
    }
    const UINT_PTR picked =
        ::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner, nullptr);
    if (picked > 0 && picked <= m_items.size()) m_items[picked - 1]->Click();
}

bool TPopupMenu::IsShortCut(int shortcut)
{
    for (TMenuItem* item : m_items) {
        if (item->ShortCut() == shortcut && item->Enabled() && item->Visible()) {
            item->Click();
            return true;
        }
    }
    return false;
}

} // namespace tk
