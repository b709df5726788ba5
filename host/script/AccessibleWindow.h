#pragma once
// A window as an accessibility client sees it: the accessible object of its client area
// (AccessibleObjectFromWindow) and the simple elements among its children, each with its
// role, name, state, place and default action. The host's script finds the tip window's
// buttons this way, by what they are rather than where they were, and so do the tests.
//
// oleacc.dll, oleaut32.dll and ole32.dll are loaded from the system folder at run time, so
// that the host still starts on a Windows 95 or NT 4.0 without Active Accessibility; there
// the constructor throws. COM is initialised for the calling thread for the object's
// life, as a client must.
#include "toolkit/base/ComRef.h"
#include "toolkit/system/SystemFolders.h"

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace Host {

class AccessibleWindow {
public:
    // Throws std::runtime_error when the system has no Active Accessibility or the window
    // gives no object.
    explicit AccessibleWindow(HWND window);
    ~AccessibleWindow();
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;

    struct Element {
        long id;   // the child id
        long role; // ROLE_SYSTEM_*
        std::string name;
        long state;         // STATE_SYSTEM_*
        RECT place;         // on the screen
        std::string action; // the default action's name, "" for none
    };
    // The simple elements among the client area's children, in the order of child ids.
    std::vector<Element> Elements() const;
    // The simple element of this role and name, or the n-th (from 1) of this role; null
    // when there is none.
    static const Element* Find(const std::vector<Element>& elements, long role, const std::string& name);
    static const Element* Find(const std::vector<Element>& elements, long role, int n);
    // The client's request for the element's default action: S_OK when the window took it.
    HRESULT Press(long id) const;

    // The object itself; this keeps its reference.
    IAccessible* Object() const { return m_object.Get(); }

private:
    // A library of the system folder loaded for this client's life.
    struct Library {
        explicit Library(const char* name) : module(tk::LoadSystemLibrary(name)) {}
        ~Library()
        {
            if (module) ::FreeLibrary(module);
        }
        Library(const Library&) = delete;
        Library& operator=(const Library&) = delete;
        HMODULE module;
    };
    // COM initialised on the calling thread (CoInitialize), and uninitialised as often.
    struct Apartment {
        explicit Apartment(HMODULE ole32);
        ~Apartment();
        Apartment(const Apartment&) = delete;
        Apartment& operator=(const Apartment&) = delete;
        HMODULE ole32;
        bool initialized = false;
    };

    Library m_ole32{"ole32.dll"};
    Library m_oleacc{"oleacc.dll"};
    Library m_oleaut32{"oleaut32.dll"};
    Apartment m_apartment{m_ole32.module};
    tk::ComRef<IAccessible> m_object;
};

// A text of a BSTR in the ANSI code page, the code page of the tip's texts.
std::string AnsiText(const wchar_t* text);

} // namespace Host
