#pragma once
// How a window finds the toolkit object that stands for it, with no lookup per message.
// Windows of the toolkit's own class keep the object in their class's extra window bytes,
// set at WM_NCCREATE. System controls (an edit, a static text) keep it in GWLP_USERDATA,
// which their classes leave to the program, and are subclassed the classic way, by
// replacing GWL_WNDPROC. Both work on every Windows from 95 and NT 3.51 on: neither needs
// comctl32 6 nor a window property, which is a round trip to the server under Wine.
#include <windows.h>

namespace tk::binding {

// The toolkit's own window class (OwnWindowClassName()): registered with the first of its
// windows and unregistered with the last, so that no class is left behind whose window
// procedure lies in an unloaded library.
void AcquireOwnClass(WNDPROC proc);
void ReleaseOwnClass();

// One window's hold on the own class: taken before the window is made and given back once,
// by whichever comes first of the window's last message (WM_NCDESTROY) and its owner
// destroying it, or when the hold itself goes.
class OwnClassHold {
public:
    OwnClassHold() = default;
    ~OwnClassHold() { Release(); }
    OwnClassHold(const OwnClassHold&) = delete;
    OwnClassHold& operator=(const OwnClassHold&) = delete;

    void Take(WNDPROC proc)
    {
        if (m_held) return;
        AcquireOwnClass(proc);
        m_held = true;
    }
    void Release()
    {
        if (!m_held) return;
        m_held = false;
        ReleaseOwnClass();
    }

private:
    bool m_held = false;
};

// The object of a window of the own class, null before WM_NCCREATE binds it.
void* OwnClassObject(HWND hwnd);
void BindOwnClass(HWND hwnd, void* object);

// Puts `proc` in front of a system control's window procedure, bound to `object`, and
// returns the procedure it replaced.
WNDPROC Subclass(HWND hwnd, WNDPROC proc, void* object);
// Gives the window its procedure back. When someone subclassed it after us, `proc` stays
// in the chain, bound to no object: it then passes everything to the class's procedure.
void Unsubclass(HWND hwnd, WNDPROC proc, WNDPROC previous);
void* SubclassObject(HWND hwnd);

// The window procedure a window has now.
WNDPROC CurrentProc(HWND hwnd);

} // namespace tk::binding
