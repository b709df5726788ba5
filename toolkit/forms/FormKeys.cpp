// The keys a form handles for all windows on it: Tab and Shift+Tab move the focus along
// its tab cycle, and a menu entry's shortcut runs the entry wherever the focus is.
#include "toolkit/forms/Form.h"
#include "toolkit/widgets/PopupMenu.h"

#include <algorithm>

namespace tk {

namespace {

// The shortcut a key makes with the modifiers held now.
int ShortCutOf(WPARAM key)
{
    int shortcut = static_cast<int>(key & 0xFF);
    if (::GetKeyState(VK_SHIFT) < 0) shortcut |= scShift;
    if (::GetKeyState(VK_CONTROL) < 0) shortcut |= scCtrl;
    if (::GetKeyState(VK_MENU) < 0) shortcut |= scAlt;
    return shortcut;
}

// Appends the windowed controls on `parent` in tab order, each followed by those on it,
// so that a group's controls take the group's place in the cycle.
void AppendInTabOrder(const TWinControl& parent, std::vector<TWinControl*>& result)
{
    std::vector<TWinControl*> level;
    for (TControl* c : parent.Controls())
        if (auto* w = dynamic_cast<TWinControl*>(c)) level.push_back(w);
    std::stable_sort(level.begin(), level.end(), [](auto* a, auto* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* w : level) {
        result.push_back(w);
        AppendInTabOrder(*w, result);
    }
}

} // namespace

bool TForm::HandleKey(TWinControl& from, const TMessage& m)
{
    if (m.Msg == WM_CHAR) return m.WParam == '\t'; // Tab moves the focus; it is never typed
    const int shortcut = ShortCutOf(m.WParam);
    if (IsShortCut(shortcut)) return true;
    if (m.WParam == VK_TAB && !(shortcut & (scCtrl | scAlt))) {
        SelectNext(&from, !(shortcut & scShift));
        return true;
    }
    return false;
}

bool TForm::IsShortCut(int shortcut) { return m_popupMenu && m_popupMenu->IsShortCut(shortcut); }

std::vector<TWinControl*> TForm::TabList() const
{
    std::vector<TWinControl*> all;
    AppendInTabOrder(*this, all);
    // A control can take the focus only while it and every group it lies on are shown
    // and enabled.
    auto reachable = [this](const TWinControl* w) {
        for (; w && w != this; w = w->Parent())
            if (!w->Enabled() || !w->Visible()) return false;
        return true;
    };
    std::vector<TWinControl*> list;
    for (TWinControl* w : all)
        if (w->TabStop() && reachable(w)) list.push_back(w);
    return list;
}

void TForm::SelectNext(TWinControl* current, bool forward)
{
    const std::vector<TWinControl*> list = TabList();
    if (list.empty()) return;
    auto it = std::find(list.begin(), list.end(), current);
    size_t index;
    if (it == list.end()) {
        index = forward ? 0 : list.size() - 1;
    } else {
        const size_t at = static_cast<size_t>(it - list.begin());
        index = forward ? (at + 1) % list.size() : (at + list.size() - 1) % list.size();
    }
    list[index]->SetFocus();
}

} // namespace tk
