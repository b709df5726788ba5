// What Tipp211.dll carries besides code, as those who see it see it: the images of the
// command buttons, the window's icon, the button class's picture for design tools, the
// version block that Windows' file properties and a host read, and the export table.
#include "host/tips/Catalog.h"
#include "tests/support/Pixels.h"
#include "tests/support/TipModule.h"
#include "toolkit/base/Handles.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string_view Resource(HMODULE module, const char* name, LPCSTR type)
{
    HRSRC info = ::FindResourceA(module, name, type);
    if (!info) return {};
    HGLOBAL data = ::LoadResource(module, info);
    return {static_cast<const char*>(::LockResource(data)), ::SizeofResource(module, info)};
}

constexpr COLORREF kBackgroundA = RGB(255, 0, 0);
constexpr COLORREF kBackgroundB = RGB(0, 255, 0);

// A picture drawn once over each of two backgrounds: where they differ, it lets the
// background through.
struct DrawnTwice {
    ts::Image overA, overB;

    template <class Draw>
    DrawnTwice(int size, Draw draw)
        : overA(ts::Image::Render(size, size, kBackgroundA, draw)),
          overB(ts::Image::Render(size, size, kBackgroundB, draw))
    {}
    bool Transparent(int x, int y) const { return overA.Pixel(x, y) != overB.Pixel(x, y); }
    int TransparentPixels() const
    {
        int count = 0;
        for (int y = 0; y < overA.Height(); ++y)
            for (int x = 0; x < overA.Width(); ++x) count += Transparent(x, y);
        return count;
    }
};

class TipResources : public ::testing::Test {
protected:
    ts::TipModule module;
};

// The image list as the module reads it from its layout's stream: a normal and a hot image
// for each command button, each a tile with a white symbol and one transparent corner pixel.
TEST_F(TipResources, ImageListDrawsTwelveMaskedTiles)
{
    const std::string_view stream = Resource(module.Library(), "IMAGELIST1", MAKEINTRESOURCEA(10)); // RT_RCDATA
    ASSERT_FALSE(stream.empty());
    IStream* memory =
        ::SHCreateMemStream(reinterpret_cast<const BYTE*>(stream.data()), static_cast<UINT>(stream.size()));
    ASSERT_NE(memory, nullptr);
    tk::UniqueImageList list(::ImageList_Read(memory));
    memory->Release();
    ASSERT_TRUE(list);
    ASSERT_EQ(::ImageList_GetImageCount(list.get()), 12);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(list.get(), &cx, &cy);
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 32);

    const COLORREF normal[2] = {RGB(133, 120, 209), RGB(55, 59, 104)};
    const COLORREF hot[2] = {RGB(203, 177, 255), RGB(46, 54, 145)};
    const COLORREF deepHot[2] = {RGB(189, 163, 255), RGB(32, 40, 131)};
    for (int index = 0; index < 12; ++index) {
        SCOPED_TRACE(index);
        const DrawnTwice drawn(32, [&](HDC dc) { ::ImageList_Draw(list.get(), index, dc, 0, 0, ILD_NORMAL); });
        // Only the lowest-left pixel lets the background through.
        EXPECT_EQ(drawn.TransparentPixels(), 1);
        EXPECT_TRUE(drawn.Transparent(0, 31));
        EXPECT_EQ(drawn.overA.Pixel(0, 31), kBackgroundA);

        const COLORREF* tile = index % 2 == 0 ? normal : (index == 9 || index == 11) ? deepHot : hot;
        EXPECT_LE(ts::ColourDistance(drawn.overA.Pixel(0, 0), tile[0]), 12) << ts::Rgb(drawn.overA.Pixel(0, 0));
        EXPECT_LE(ts::ColourDistance(drawn.overA.Pixel(31, 31), tile[1]), 12) << ts::Rgb(drawn.overA.Pixel(31, 31));
        // A white symbol lies on every tile.
        EXPECT_GT(ts::CountNear(drawn.overA, {0, 0, 32, 32}, ts::kWhite), 20);
    }
}

// The icon the tip window shows in its caption and its task-bar button: a flask of red
// liquid, the background showing around it.
TEST_F(TipResources, WindowShowsTheFlaskIcon)
{
    ASSERT_EQ(module.Create(), 0);
    HWND window = module.Window();
    ASSERT_NE(window, nullptr);
    for (WPARAM which : {ICON_BIG, ICON_SMALL}) {
        SCOPED_TRACE(which == ICON_BIG ? "big icon" : "small icon");
        auto icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, which, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        tk::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
        BITMAP bm = {};
        ::GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 32);
        EXPECT_EQ(bm.bmHeight, 32);

        const DrawnTwice drawn(32, [&](HDC dc) { ::DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL); });
        const int transparent = drawn.TransparentPixels();
        EXPECT_GT(transparent, 100) << "the background does not show around the flask";
        EXPECT_LT(transparent, 32 * 32 - 100) << "the flask is missing";
        EXPECT_TRUE(drawn.Transparent(0, 0)) << "a corner is not transparent";
        int red = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const COLORREF c = drawn.overB.Pixel(x, y);
                red += GetRValue(c) > 150 && GetGValue(c) < 80 && GetBValue(c) < 80;
            }
        EXPECT_GT(red, 20) << "no red liquid";
    }
    EXPECT_EQ(module.Api().Free(), 1);
}

// The hot image button's picture in a design tool's palette: a black disc on white, in the
// palette's 24 x 24.
TEST_F(TipResources, ButtonPictureIsABlackDiscOnWhite)
{
    tk::UniqueBitmap picture(
        static_cast<HBITMAP>(::LoadImageA(module.Library(), "THOTSPEEDBUTTON", IMAGE_BITMAP, 0, 0, 0)));
    ASSERT_TRUE(picture);
    BITMAP bm = {};
    ::GetObjectA(picture.get(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 24);
    EXPECT_EQ(bm.bmHeight, 24);
    tk::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    tk::SelectedObject selected(dc.get(), picture.get());
    EXPECT_EQ(::GetPixel(dc.get(), 12, 12), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc.get(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc.get(), 23, 23), RGB(255, 255, 255));
}

// What Windows' file properties show of the library, and what it tells a host: a release
// DLL for 32-bit Windows whose texts are German in code page 1252, whose description is
// the tip's caption in the host's catalog, whose version texts say what its numbers say.
TEST_F(TipResources, VersionBlockDescribesTheTip)
{
    char path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameA(module.Library(), path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "a debug, patched or prerelease build";

    // File properties pick the string table the translation names.
    WORD* translation = nullptr;
    ASSERT_TRUE(
        ::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(PRIMARYLANGID(translation[0]), LANG_GERMAN);
    EXPECT_EQ(translation[1], 1252);
    char table[64];
    std::snprintf(table, sizeof table, "\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
    auto text = [&](const char* key) {
        char* value = nullptr;
        UINT chars = 0;
        const std::string query = table + std::string(key);
        const bool found = ::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars);
        return std::string(found && value ? value : "");
    };
    auto dotted = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." + std::to_string(HIWORD(low)) +
               "." + std::to_string(LOWORD(low));
    };

    EXPECT_EQ(text("FileDescription"), Host::ReadTip(Host::ProgramFolder() + "\\Tipps.ini", "Tipp211.dll").Caption(0));
    EXPECT_EQ(text("FileVersion"), dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
    EXPECT_EQ(text("ProductVersion"), dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
    EXPECT_EQ(text("OriginalFilename") + ".dll", ::PathFindFileNameA(path));
    EXPECT_EQ(text("ProductName"), "Sorvanti");
    EXPECT_NE(text("Comments").find(text("ProductName")), std::string::npos) << text("Comments");
    EXPECT_FALSE(text("CompanyName").empty());
}

TEST_F(TipResources, ExportTableNamesTheLibraryAndItsFiveFunctions)
{
    const auto* base = reinterpret_cast<const BYTE*>(module.Library());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(dir.VirtualAddress, 0u);
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + exports->Name), "Tipp211.dll");

    std::vector<std::string> names;
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    const std::vector<std::string> expected{"ModulChanged", "ModulCreate", "ModulFree", "ModulNr", "ModulSaveChanges"};
    EXPECT_EQ(names, expected);
}

} // namespace
