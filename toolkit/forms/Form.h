#pragma once
// TForm: a top-level window with a caption, a fixed single border, a system menu and a
// minimise box, a colour, an icon and a popup menu. Its layout is read from the layouts
// stored for its class and its ancestors (CreateForm); it keeps its tab cycle, its menu
// shortcuts (FormKeys.cpp) and its hints (FormHints) working inside the host's message
// loop.
#include "toolkit/base/DestroyWatch.h"
#include "toolkit/base/HandlerScope.h"
#include "toolkit/window/Hints.h"
#include "toolkit/window/WinControl.h"

#include <memory>

namespace tk {

class TPopupMenu;

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetBorderStyle(TBorderStyle style);
    void SetBorderIcons(TBorderIcons icons);
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* menu);
    void SetIcon(UniqueIcon icon);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnDestroy;

    // Ends the form: its windows go now, so that nothing of it stays on the screen and the
    // boxes it owns close; the object is freed once no handler runs (HandlerScope.h). A
    // handler that waited meanwhile comes back to a form without windows, which makes none
    // again. Once is enough: a second call does nothing.
    void Release();

    // Shows the window without making it modal and brings it to the front.
    void Show();
    void Hide() { SetVisible(false); }
    // The normal close path, as the close box takes it: the window hides and stays.
    void Close();
    void Repaint();

    // Runs the menu entry whose shortcut is `shortcut` (virtual key plus the modifier bits
    // scShift, scCtrl and scAlt of MenuItem.h); false when no enabled entry has it.
    bool IsShortCut(int shortcut);
    // The windowed controls that Tab reaches, in tab order.
    std::vector<TWinControl*> TabList() const;
    // Moves the focus from `current` to the next (or previous) control of the tab cycle.
    void SelectNext(TWinControl* current, bool forward);

    // The tooltip that shows the hints of the window's controls.
    FormHints* Hints() override { return &m_hints; }
    // Tab and the menu shortcuts, for every window on the form.
    bool HandleKey(TWinControl& from, const TMessage& message) override;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // Reads the stored layouts and runs the creation event; see CreateForm.
    void InitializeForm();

protected:
    // Runs OnCreate; a failure goes to the standard report and the window is kept.
    virtual void DoCreate();
    TCreateParams CreateParams() const override;
    void ScaleSelf(int multiplier, int divisor) override;
    void WindowCreated() override;

private:
    // What ending the form does before the object goes, once: OnDestroy, then the windows.
    void DestroyWindows();
    // Takes the frame of the border style and icons it has now, keeping the client size.
    void ApplyWindowStyle(int clientWidth, int clientHeight);
    SIZE WindowFrame() const;
    void SendIcon();

    TBorderStyle m_borderStyle = TBorderStyle::bsSizeable;
    TBorderIcons m_borderIcons = biSystemMenu | biMinimize | biMaximize;
    TPopupMenu* m_popupMenu = nullptr;
    UniqueIcon m_icon;
    FormHints m_hints{*this};
    bool m_ended = false; // released, or being destroyed
};

// Creates a window of class T, reads its stored layouts and runs its creation event; null
// when the creation event ended the form (another handler may have released it while the
// creation waited in a box).
template <class T>
T* CreateForm(TComponent* owner)
{
    T* form = new T(owner);
    const TDestroyWatch created(form);
    {
        const HandlerScope creating;
        try {
            form->InitializeForm();
        } catch (...) {
            form->Release();
            throw;
        }
    }
    return created.Alive() && !form->IsDestroying() ? form : nullptr;
}

} // namespace tk
