#pragma once
// TPopupMenu: a context menu of TMenuItem entries, opened by a right click or the
// context-menu key on its window; its entries' shortcuts work while the window or one of
// its controls has the keyboard focus.
#include "toolkit/widgets/MenuItem.h"

#include <vector>

namespace tk {

class TImageList;

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    const std::vector<TMenuItem*>& Items() const { return m_items; }
    void Add(TMenuItem* item);
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);

    // Shows the menu at a screen point and runs the entry the user picks.
    void Popup(int x, int y, HWND owner);
    // Runs the enabled entry with this shortcut; false when there is none.
    bool IsShortCut(int shortcut);

    void AddChildComponent(TComponent* child) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TMenuItem*> m_items;
    TImageList* m_images = nullptr;
};

} // namespace tk
