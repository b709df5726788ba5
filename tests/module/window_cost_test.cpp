// What creating the tip window asks of the system beyond its windows: the frame of a pair
// of style words is computed once, and fonts and brushes are shared between the controls
// whose font or colour is the same, so the window makes no more of them than it shows,
// and frees each with its last user. Counted through the library's import table.
#include "host/script/ImportPatch.h"
#include "tests/support/Pump.h"
#include "tests/support/TipModule.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

namespace {

struct Made {
    static inline void* adjustOriginal = nullptr;
    static inline void* fontOriginal = nullptr;
    static inline void* brushOriginal = nullptr;
    static inline std::vector<std::pair<DWORD, DWORD>> frames; // style words asked for
    static inline std::vector<std::pair<LOGFONTA, HGDIOBJ>> fonts;
    static inline std::vector<std::pair<COLORREF, HGDIOBJ>> brushes;

    static BOOL WINAPI Adjust(RECT* r, DWORD style, BOOL menu, DWORD exStyle)
    {
        frames.emplace_back(style, exStyle);
        return reinterpret_cast<decltype(&::AdjustWindowRectEx)>(adjustOriginal)(r, style, menu, exStyle);
    }
    static HFONT WINAPI Font(const LOGFONTA* lf)
    {
        HFONT font = reinterpret_cast<decltype(&::CreateFontIndirectA)>(fontOriginal)(lf);
        fonts.emplace_back(*lf, font);
        return font;
    }
    static HBRUSH WINAPI Brush(COLORREF color)
    {
        HBRUSH brush = reinterpret_cast<decltype(&::CreateSolidBrush)>(brushOriginal)(color);
        brushes.emplace_back(color, brush);
        return brush;
    }
    static void Clear()
    {
        frames.clear();
        fonts.clear();
        brushes.clear();
    }
};

template <class Item, class Same>
void ExpectEachMadeOnce(const std::vector<Item>& made, Same same, const char* what)
{
    for (std::size_t i = 0; i < made.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(same(made[i], made[j])) << what << " " << i << " made again";
}

TEST(WindowCost, EachFrameFontAndBrushIsMadeOnceAndFreedWithItsLastUser)
{
    ts::TipModule module;
    Host::ImportPatch adjust(module.Library(), "user32.dll", "AdjustWindowRectEx",
                             reinterpret_cast<void*>(&Made::Adjust));
    Host::ImportPatch font(module.Library(), "gdi32.dll", "CreateFontIndirectA", reinterpret_cast<void*>(&Made::Font));
    Host::ImportPatch brush(module.Library(), "gdi32.dll", "CreateSolidBrush", reinterpret_cast<void*>(&Made::Brush));
    Made::adjustOriginal = adjust.Original();
    Made::fontOriginal = font.Original();
    Made::brushOriginal = brush.Original();

    for (int round = 0; round < 2; ++round) { // the second window starts from nothing kept
        SCOPED_TRACE(round ? "second window" : "first window");
        Made::Clear();
        ASSERT_EQ(module.Create(), 0);
        ASSERT_NE(module.Window(), nullptr);
        ::RedrawWindow(module.Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ts::PumpMessages();

        ExpectEachMadeOnce(
            Made::frames, [](auto a, auto b) { return a == b; }, "frame");
        EXPECT_GE(Made::frames.size(), 1u);
        ExpectEachMadeOnce(
            Made::fonts,
            [](const auto& a, const auto& b) {
                return std::memcmp(&a.first, &b.first, offsetof(LOGFONTA, lfFaceName)) == 0 &&
                       lstrcmpiA(a.first.lfFaceName, b.first.lfFaceName) == 0;
            },
            "font");
        EXPECT_GE(Made::fonts.size(), 2u) << "the title's bold font and the others' plain one";
        ExpectEachMadeOnce(
            Made::brushes, [](const auto& a, const auto& b) { return a.first == b.first; }, "brush");
        for (const auto& [lf, object] : Made::fonts) EXPECT_EQ(::GetObjectType(object), static_cast<DWORD>(OBJ_FONT));
        for (const auto& [color, object] : Made::brushes)
            EXPECT_EQ(::GetObjectType(object), static_cast<DWORD>(OBJ_BRUSH));

        ASSERT_EQ(module.Api().Free(), 1);
        ts::PumpMessages();
        for (const auto& [lf, object] : Made::fonts)
            EXPECT_EQ(::GetObjectType(object), 0u) << lf.lfFaceName << " left over";
        for (const auto& [color, object] : Made::brushes)
            EXPECT_EQ(::GetObjectType(object), 0u) << std::hex << color << " left over";
    }
}

} // namespace
