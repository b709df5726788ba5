// GDI objects shared by description, and the frame of a pair of style words computed
// once until the system's settings change.
#include "host/script/ImportPatch.h"
#include "tests/support/Pump.h"
#include "toolkit/forms/Form.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/SharedGdiObject.h"
#include "toolkit/window/WindowFrame.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(SharedGdi, TheSameDescriptionSharesOneObjectUntilItsLastHolderGoes)
{
    tk::TFont a, b, c;
    a.SetName("Tahoma");
    b.SetName("Tahoma");
    c.SetName("Tahoma");
    c.SetStyle(tk::fsBold);
    HFONT shared = a.Handle();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(b.Handle(), shared);
    EXPECT_NE(c.Handle(), shared);
    b.SetColor(tk::clRed); // the colour is painted with, not part of the font
    EXPECT_EQ(b.Handle(), shared);

    a.SetHeight(-20); // a changed font lets the shared one go: b still holds it
    EXPECT_NE(a.Handle(), shared);
    EXPECT_EQ(::GetObjectType(shared), static_cast<DWORD>(OBJ_FONT));
    b.SetHeight(-20);
    EXPECT_EQ(b.Handle(), a.Handle());
    EXPECT_EQ(::GetObjectType(shared), 0u) << "its last holder changed";

    tk::SharedGdiObject red = tk::SharedGdiObject::SolidBrush(RGB(255, 0, 0));
    tk::SharedGdiObject moved = tk::SharedGdiObject::SolidBrush(RGB(255, 0, 0));
    tk::SharedGdiObject blue = tk::SharedGdiObject::SolidBrush(RGB(0, 0, 255));
    HGDIOBJ brush = red.get();
    EXPECT_EQ(moved.get(), brush);
    EXPECT_NE(blue.get(), brush);
    red = std::move(moved); // one holder less, the object stays
    EXPECT_EQ(red.get(), brush);
    EXPECT_EQ(::GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    red.reset();
    EXPECT_EQ(::GetObjectType(brush), 0u);
}

struct FrameCount {
    static inline void* original = nullptr;
    static inline int calls = 0;
    static BOOL WINAPI Adjust(RECT* r, DWORD style, BOOL menu, DWORD exStyle)
    {
        ++calls;
        return reinterpret_cast<decltype(&::AdjustWindowRectEx)>(original)(r, style, menu, exStyle);
    }
};

TEST(SharedGdi, AFormsFrameIsComputedOnceUntilTheSettingsChange)
{
    Host::ImportPatch patch(::GetModuleHandleA(nullptr), "user32.dll", "AdjustWindowRectEx",
                            reinterpret_cast<void*>(&FrameCount::Adjust));
    FrameCount::original = patch.Original();
    tk::TForm form(nullptr);
    tk::ForgetWindowFrameSizes();
    FrameCount::calls = 0;
    for (int width : {100, 200, 300}) { // before the window exists: the frame of its styles
        form.SetClientWidth(width);
        form.SetClientHeight(width / 2);
        EXPECT_EQ(form.ClientWidth(), width);
        EXPECT_EQ(form.ClientHeight(), width / 2);
    }
    EXPECT_EQ(FrameCount::calls, 1);

    form.HandleNeeded();
    RECT client;
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 150);
    FrameCount::calls = 0;
    form.SetClientWidth(150);
    form.SetClientWidth(160);
    EXPECT_LE(FrameCount::calls, 1) << "the window's own styles, once";

    ::SendMessageA(form.Handle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    FrameCount::calls = 0;
    form.SetClientWidth(170);
    form.SetClientWidth(180);
    EXPECT_EQ(FrameCount::calls, 1) << "computed anew once after the change";
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 180);
    ts::PumpMessages();
}

} // namespace
