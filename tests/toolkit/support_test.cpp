#include "tests/support/Exports.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/Pump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// ---- MessageBoxRecorder --------------------------------------------------------------

TEST(SupportMessageBoxRecorder, RecordsEachBoxAndAnswersWithoutShowingIt)
{
    const struct {
        int configured; // 0: not set
        UINT flags;
        int expected;
    } rows[] = {
        {0, MB_OK, IDOK},
        {0, MB_YESNO | MB_ICONQUESTION, IDYES},
        {0, MB_YESNO | MB_DEFBUTTON2, IDNO},
        {0, MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {0, MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {IDYES, MB_YESNO, IDYES},
        {IDNO, MB_YESNO | MB_ICONWARNING, IDNO},
        {IDCANCEL, MB_YESNOCANCEL, IDCANCEL},
    };
    ts::MessageBoxRecorder recorder;
    HWND owner = GetDesktopWindow();
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        recorder.SetAnswer(rows[i].configured);
        const std::string text = "Text " + std::to_string(i) + " \xFC";
        EXPECT_EQ(MessageBoxA(owner, text.c_str(), "Caption", rows[i].flags), rows[i].expected);
        ASSERT_EQ(recorder.Boxes().size(), i + 1);
        const auto& box = recorder.Boxes().back();
        EXPECT_EQ(box.owner, owner);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, "Caption");
        EXPECT_EQ(box.flags, rows[i].flags);
        EXPECT_EQ(box.answer, rows[i].expected);
    }
    EXPECT_EQ(recorder.Texts().front(), "Text 0 \xFC");
    EXPECT_EQ(recorder.Texts().size(), std::size(rows));
    recorder.Clear();
    EXPECT_TRUE(recorder.Boxes().empty());
    MessageBoxA(nullptr, "after clear", nullptr, MB_OK);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"after clear"});
}

TEST(SupportMessageBoxRecorder, PutsTheRealMessageBoxBack)
{
    {
        ts::MessageBoxRecorder recorder;
    }
    // A fresh patch sees what the slot holds now.
    Host::ImportPatch probe(GetModuleHandleA(nullptr), "user32.dll", "MessageBoxA",
                            reinterpret_cast<void*>(&ts::MessageBoxRecorder::Fake));
    EXPECT_EQ(probe.Original(), ts::RealExport("user32.dll", "MessageBoxA"));
}

// ---- Image ---------------------------------------------------------------------------

constexpr COLORREF kBackground = RGB(200, 40, 90);
constexpr COLORREF kChildColour = RGB(20, 160, 60);

// A visible top-level window of a known colour with a child of another colour at (20, 30).
class TestWindow {
public:
    TestWindow()
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        Register("SupportTestBack", m_backBrush, instance);
        Register("SupportTestChild", m_childBrush, instance);
        m_window = CreateWindowExA(WS_EX_TOPMOST, "SupportTestBack", "Capture test", WS_OVERLAPPEDWINDOW, 60, 50, 320,
                                   240, nullptr, nullptr, instance, nullptr);
        CreateWindowExA(0, "SupportTestChild", "", WS_CHILD | WS_VISIBLE, 20, 30, 60, 40, m_window, nullptr, instance,
                        nullptr);
        ShowWindow(m_window, SW_SHOW);
        ts::PumpPaints(m_window);
    }
    ~TestWindow() { DestroyWindow(m_window); }
    HWND get() const { return m_window; }

private:
    static void Register(const char* name, HBRUSH brush, HINSTANCE instance)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.hbrBackground = brush;
        wc.lpszClassName = name;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&wc); // fails harmlessly when a previous test registered it
    }

    HBRUSH m_backBrush = CreateSolidBrush(kBackground);
    HBRUSH m_childBrush = CreateSolidBrush(kChildColour);
    HWND m_window = nullptr;
};

TEST(SupportImage, CapturesWhatTheWindowShows)
{
    TestWindow window;
    RECT client, frame;
    GetClientRect(window.get(), &client);
    GetWindowRect(window.get(), &frame);
    POINT origin = {0, 0};
    ClientToScreen(window.get(), &origin);

    const ts::Image inner = ts::Image::Capture(window.get(), true);
    ASSERT_EQ(inner.Width(), client.right);
    ASSERT_EQ(inner.Height(), client.bottom);
    EXPECT_EQ(inner.Pixel(5, 5), kBackground);
    EXPECT_EQ(inner.Pixel(inner.Width() - 1, inner.Height() - 1), kBackground);
    EXPECT_EQ(inner.Pixel(20, 30), kChildColour);
    EXPECT_EQ(inner.Pixel(79, 69), kChildColour);
    EXPECT_EQ(inner.Pixel(80, 70), kBackground);

    const ts::Image whole = ts::Image::Capture(window.get(), false);
    ASSERT_EQ(whole.Width(), frame.right - frame.left);
    ASSERT_EQ(whole.Height(), frame.bottom - frame.top);
    const int dx = origin.x - frame.left, dy = origin.y - frame.top;
    ASSERT_GT(dy, 0) << "the frame has no caption";
    EXPECT_EQ(whole.Pixel(dx + 5, dy + 5), kBackground);
    EXPECT_EQ(whole.Pixel(dx + 25, dy + 35), kChildColour);
    // Under Wine the frame is drawn only when no window manager is expected to draw it.
    const COLORREF caption = whole.Pixel(whole.Width() / 2, dy / 2);
    EXPECT_NE(caption, kBackground);
    EXPECT_NE(caption, RGB(0, 0, 0)) << "the frame was not drawn";

    // A later change shows up in the next capture.
    InvalidateRect(window.get(), nullptr, TRUE);
    HWND child = GetWindow(window.get(), GW_CHILD);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(ts::Image::Capture(window.get(), true).Pixel(25, 35), kBackground);
}

std::string TempBmp(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name + std::to_string(GetCurrentProcessId()) + ".bmp";
}

TEST(SupportImage, SaveBmpWritesA24BitFileWindowsCanLoad)
{
    // Width 3 needs row padding; the corners tell up from down and red from blue.
    ts::Image image(3, 2);
    image.SetPixel(0, 0, RGB(255, 0, 0));
    image.SetPixel(2, 0, RGB(0, 0, 255));
    image.SetPixel(0, 1, RGB(1, 2, 3));
    image.SetPixel(2, 1, RGB(250, 251, 252));
    const std::string path = TempBmp("support-bmp-");
    image.SaveBmp(path);

    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    ASSERT_EQ(bytes.size(), 14u + 40u + 2 * 12u);
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
    EXPECT_EQ(file.bfType, 0x4D42);
    EXPECT_EQ(file.bfSize, bytes.size());
    EXPECT_EQ(file.bfOffBits, 54u);
    EXPECT_EQ(info.biSize, 40u);
    EXPECT_EQ(info.biWidth, 3);
    EXPECT_EQ(info.biHeight, 2);
    EXPECT_EQ(info.biBitCount, 24);
    EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
    // Bottom row first, blue-green-red.
    const unsigned char* lower = bytes.data() + 54;
    EXPECT_EQ(lower[0], 3);
    EXPECT_EQ(lower[1], 2);
    EXPECT_EQ(lower[2], 1);

    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(loaded, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, loaded);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(250, 251, 252));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(loaded);
    DeleteFileA(path.c_str());
}

// ---- Pump ----------------------------------------------------------------------------

TEST(SupportPump, PumpUntilAndPumpPostedDispatchWhatWasPosted)
{
    TestWindow window;
    static int seen;
    seen = 0;
    const auto proc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_APP + 1) ++seen;
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    };
    ::SetWindowLongPtrA(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+proc));
    ::PostMessageA(window.get(), WM_APP + 1, 0, 0);
    EXPECT_TRUE(ts::PumpUntil([] { return seen == 1; }));

    // Whatever was posted before the marker is handled when it returns, and the marker
    // itself is gone from the queue.
    for (int i = 0; i < 3; ++i) ::PostMessageA(window.get(), WM_APP + 1, 0, 0);
    EXPECT_TRUE(ts::PumpPosted());
    EXPECT_EQ(seen, 4);
    const UINT marker = ::RegisterWindowMessageA("ts.PumpPosted");
    MSG left;
    EXPECT_FALSE(::PeekMessageA(&left, nullptr, marker, marker, PM_NOREMOVE));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ts::PumpUntil([] { return false; }, 150));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(140));
}

} // namespace
