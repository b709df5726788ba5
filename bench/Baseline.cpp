#include "bench/Baseline.h"
#include "contract/Settings.h"
#include "helptext/GetHelpText.h"

#include <objidl.h>
#include <shlwapi.h>

#include <stdexcept>

namespace bench {

namespace {

constexpr char kWindowClass[] = "BenchBaseline";
constexpr char kPanelClass[] = "BenchBaselinePanel";
constexpr int kClientWidth = 292;
constexpr int kClientHeight = 426;
constexpr COLORREF kPanelColor = RGB(140, 170, 230);
constexpr COLORREF kMemoColor = RGB(237, 242, 252);
constexpr COLORREF kTitleColor = RGB(1, 72, 178);
constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

struct Button {
    int left;
    int image;
    const char* hint;
};
constexpr int kButtonTop = 381;
constexpr int kButtonSize = 36;
constexpr Button kButtons[] = {
    {16, 0, "\xC4nderungen werden gespeichert"},
    {56, 2, "Setzt alles wieder auf die Standartwerte"},
    {200, 4, "G\xFCltig f\xFCr ... "},
    {240, 6, "Wert in der Registry nachschlagen"},
};

struct Label {
    int top;
    const char* text;
};
constexpr Label kLabels[] = {{154, "PagingDrive:"}, {184, "PagingFile:"}};

void RegisterClasses(WNDPROC windowProc, WNDPROC panelProc)
{
    static const bool registered = [&] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kWindowClass;
        ::RegisterClassExA(&wc);
        wc.lpfnWndProc = panelProc;
        wc.hbrBackground = nullptr;
        wc.lpszClassName = kPanelClass;
        ::RegisterClassExA(&wc);
        return true;
    }();
    static_cast<void>(registered);
}

HFONT Tahoma(int height, int weight)
{
    return ::CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
}

HIMAGELIST ReadImageList(HMODULE resources)
{
    HRSRC found = ::FindResourceA(resources, "IMAGELIST1", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return nullptr;
    const void* bytes = ::LockResource(::LoadResource(resources, found));
    IStream* stream = ::SHCreateMemStream(static_cast<const BYTE*>(bytes), ::SizeofResource(resources, found));
    if (!stream) return nullptr;
    HIMAGELIST list = ::ImageList_Read(stream);
    stream->Release();
    return list;
}

// The user preference, read as the template's start-up reads it.
bool ReadBSControl()
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return true;
    DWORD value = 1, size = sizeof value, type = 0;
    const bool found =
        ::RegQueryValueExA(key, "BSControl", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return !found || value != 0;
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, DWORD exStyle, int left, int top, int width,
           int height, HFONT font, void* param = nullptr)
{
    HWND hwnd = ::CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_CLIPSIBLINGS | style, left, top, width, height,
                                  parent, nullptr, ::GetModuleHandleA(nullptr), param);
    if (hwnd && font) ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

} // namespace

BaselineWindow::BaselineWindow(HMODULE resources, const BaselineArgs& args)
{
    RegisterClasses(&BaselineWindow::WindowProc, &BaselineWindow::PanelProc);
    const bool bsControl = ReadBSControl();
    static_cast<void>(bsControl); // every system is supported here: nothing is disabled
    {
        HDC screen = ::GetDC(nullptr);
        static_cast<void>(::GetDeviceCaps(screen, LOGPIXELSX));
        ::ReleaseDC(nullptr, screen);
    }
    char drive[256] = {}, file[256] = {};
    ::GetPrivateProfileStringA("386Enh", "PagingDrive", "", drive, sizeof drive, "System.INI");
    ::GetPrivateProfileStringA("386Enh", "PagingFile", "", file, sizeof file, "System.INI");
    const char* german = ::GetHelpText(args.tippNr, 2);
    const char* english = ::GetHelpText(args.tippNr, 4);

    m_font.reset(Tahoma(-11, FW_NORMAL));
    m_titleFont.reset(Tahoma(-12, FW_BOLD));
    m_memoBrush.reset(::CreateSolidBrush(kMemoColor));
    m_panelBrush.reset(::CreateSolidBrush(kPanelColor));
    m_images.reset(ReadImageList(resources));
    m_icon.reset(static_cast<HICON>(::LoadImageA(resources, "TIPPICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    if (!m_font || !m_titleFont || !m_images || !m_icon) throw std::runtime_error("baseline resources");

    RECT outer{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&outer, kFrameStyle, FALSE, WS_EX_CONTROLPARENT);
    const int width = args.width ? args.width : outer.right - outer.left;
    const int height = args.height ? args.height : outer.bottom - outer.top;
    m_window.reset(::CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, args.caption, kFrameStyle, args.left, args.top,
                                     width, height, nullptr, nullptr, ::GetModuleHandleA(nullptr), this));
    HWND top = m_window.get();
    if (!top) throw std::runtime_error("baseline window");
    ::SendMessageA(top, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon.get()));
    ::SendMessageA(top, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon.get()));

    // Children front to back: a new child window goes behind its older siblings.
    HFONT font = m_font.get();
    const DWORD edit = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    Child(top, "EDIT", file, edit, 0, 93, 184, 180, 19, font);
    Child(top, "EDIT", drive, edit, 0, 93, 154, 25, 19, font);
    const DWORD panel = WS_VISIBLE | WS_CLIPCHILDREN;
    Child(top, kPanelClass, "", panel, 0, kClientWidth - 5, 5, 5, kClientHeight - 10, nullptr, m_panelBrush.get());
    Child(top, kPanelClass, "", panel, 0, 0, kClientHeight - 5, kClientWidth, 5, nullptr, m_panelBrush.get());
    Child(top, kPanelClass, "", panel, 0, 0, 0, kClientWidth, 5, nullptr, m_panelBrush.get());
    Child(top, kPanelClass, "", panel, 0, 0, 5, 5, kClientHeight - 10, nullptr, m_panelBrush.get());
    const DWORD memo = WS_BORDER | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
    // Texts go in after the font: a text given at creation is laid out twice.
    ::SetWindowTextA(Child(top, "EDIT", "", WS_VISIBLE | memo, 0, 16, 32, 259, 105, font), german ? german : "");
    ::SetWindowTextA(Child(top, "EDIT", "", memo, 0, 16, 32, 259, 105, font), english ? english : "");
    m_titleText = Child(top, "STATIC", args.caption, WS_VISIBLE | SS_LEFT, 0, 16, 8, 257, 33, m_titleFont.get());

    HWND tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    for (const Button& b : kButtons) {
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = top;
        ti.uId = static_cast<UINT_PTR>(b.left);
        ti.rect = {b.left, kButtonTop, b.left + kButtonSize, kButtonTop + kButtonSize};
        ti.lpszText = const_cast<char*>(b.hint);
        ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }

    ::ShowWindow(top, SW_SHOW);
    ::SetForegroundWindow(top);
}

LRESULT CALLBACK BaselineWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE)
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<BaselineWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return self->Handle(hwnd, msg, wp, lp);
}

LRESULT CALLBACK BaselineWindow::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE)
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    if (msg == WM_ERASEBKGND) {
        RECT r;
        ::GetClientRect(hwnd, &r);
        ::FillRect(reinterpret_cast<HDC>(wp), &r, reinterpret_cast<HBRUSH>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        return 1;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT BaselineWindow::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(wp);
        if (reinterpret_cast<HWND>(lp) == m_titleText) {
            ::SetTextColor(dc, kTitleColor);
            ::SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        }
        ::SetBkColor(dc, kMemoColor);
        return reinterpret_cast<LRESULT>(m_memoBrush.get());
    }
    default: return ::DefWindowProcA(hwnd, msg, wp, lp);
    }
}

void BaselineWindow::Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    const int inset = (kButtonSize - 32) / 2;
    for (const Button& b : kButtons)
        ::ImageList_Draw(m_images.get(), b.image, dc, b.left + inset, kButtonTop + inset, ILD_NORMAL);
    HGDIOBJ old = ::SelectObject(dc, m_font.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    for (const Label& l : kLabels) {
        RECT r{18, l.top, 18 + 61, l.top + 13};
        ::DrawTextA(dc, l.text, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    ::SelectObject(dc, old);
    ::EndPaint(hwnd, &ps);
}

} // namespace bench
