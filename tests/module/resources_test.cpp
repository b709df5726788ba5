// What Tipp211.dll carries besides code: the image list of the command buttons, the
// window icon, the button class's picture, the version block and the export table.
#include "tests/support/TipModule.h"
#include "tests/support/WindowCapture.h"
#include "toolkit/Handles.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

int Distance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

std::string_view Resource(HMODULE module, const char* name, LPCSTR type)
{
    HRSRC info = ::FindResourceA(module, name, type);
    if (!info) return {};
    HGLOBAL data = ::LoadResource(module, info);
    return {static_cast<const char*>(::LockResource(data)), ::SizeofResource(module, info)};
}

// 32-bit top-down pixels of a size x size picture drawn by `draw` over `background`.
template <class Draw>
std::vector<std::uint32_t> Render(int size, COLORREF background, Draw draw)
{
    const ts::Image image = ts::Image::Render(size, size, background, draw);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const COLORREF c = image.Pixel(x, y);
            pixels.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
        }
    return pixels;
}

COLORREF ColorOf(std::uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

constexpr COLORREF kBackgroundA = RGB(255, 0, 0);
constexpr COLORREF kBackgroundB = RGB(0, 255, 0);

class TipResources : public ::testing::Test {
protected:
    ts::TipModule module;
};

// The image list as the layout's IMAGELIST1 stores it, in the image-list stream format.
TEST_F(TipResources, ImageListStreamHoldsTwelveMaskedImages)
{
    const std::string_view stream = Resource(module.Library(), "IMAGELIST1", MAKEINTRESOURCEA(10)); // RT_RCDATA
    ASSERT_GT(stream.size(), 28u);

#pragma pack(push, 2)
    struct Header {
        USHORT magic, version, count, capacity, grow, cx, cy;
        COLORREF background;
        USHORT flags;
        SHORT overlays[4];
    };
#pragma pack(pop)
    Header h;
    std::memcpy(&h, stream.data(), sizeof h);
    EXPECT_EQ(h.magic, 0x4C49); // "IL"
    EXPECT_EQ(h.version, 0x0101);
    EXPECT_EQ(h.count, 12);
    EXPECT_EQ(h.capacity, 14);
    EXPECT_EQ(h.grow, 4);
    EXPECT_EQ(h.cx, 32);
    EXPECT_EQ(h.cy, 32);
    EXPECT_EQ(h.background, CLR_NONE);
    EXPECT_EQ(h.flags, 0x10FF);
    for (SHORT overlay : h.overlays) EXPECT_EQ(overlay, -1);

    IStream* memory = ::SHCreateMemStream(reinterpret_cast<const BYTE*>(stream.data()), static_cast<UINT>(stream.size()));
    ASSERT_NE(memory, nullptr);
    tk::UniqueImageList list(::ImageList_Read(memory));
    memory->Release();
    ASSERT_TRUE(list);
    EXPECT_EQ(::ImageList_GetImageCount(list.get()), 12);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(list.get(), &cx, &cy);
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 32);
    IMAGEINFO info = {};
    ASSERT_TRUE(::ImageList_GetImageInfo(list.get(), 0, &info));
    EXPECT_NE(info.hbmMask, nullptr);

    const COLORREF normal[2] = {RGB(133, 120, 209), RGB(55, 59, 104)};
    const COLORREF hot[2] = {RGB(203, 177, 255), RGB(46, 54, 145)};
    const COLORREF deepHot[2] = {RGB(189, 163, 255), RGB(32, 40, 131)};
    for (int index = 0; index < 12; ++index) {
        SCOPED_TRACE(index);
        auto drawOver = [&](COLORREF background) {
            return Render(32, background, [&](HDC dc) { ::ImageList_Draw(list.get(), index, dc, 0, 0, ILD_NORMAL); });
        };
        const std::vector<std::uint32_t> overA = drawOver(kBackgroundA);
        const std::vector<std::uint32_t> overB = drawOver(kBackgroundB);
        // Only the lowest-left pixel lets the background through.
        std::vector<int> transparent;
        for (int i = 0; i < 32 * 32; ++i)
            if (overA[i] != overB[i]) transparent.push_back(i);
        ASSERT_EQ(transparent.size(), 1u);
        EXPECT_EQ(transparent[0], 31 * 32 + 0);
        EXPECT_EQ(ColorOf(overA[31 * 32]), kBackgroundA);

        const COLORREF* tile = index % 2 == 0 ? normal : (index == 9 || index == 11) ? deepHot : hot;
        const COLORREF upperLeft = ColorOf(overA[0]);
        const COLORREF lowerRight = ColorOf(overA[31 * 32 + 31]);
        EXPECT_LE(Distance(upperLeft, tile[0]), 12) << std::hex << upperLeft;
        EXPECT_LE(Distance(lowerRight, tile[1]), 12) << std::hex << lowerRight;
        // A white symbol lies on every tile.
        EXPECT_GT(std::count(overA.begin(), overA.end(), 0xFFFFFFu), 20);
    }
}

TEST_F(TipResources, IconIs32By32With16ColoursAndTransparentPixels)
{
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colors, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct GroupHeader {
        WORD reserved, type, count;
    };
#pragma pack(pop)
    const std::string_view group = Resource(module.Library(), "TIPPICON", MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_GE(group.size(), sizeof(GroupHeader) + sizeof(GroupEntry));
    GroupHeader header;
    std::memcpy(&header, group.data(), sizeof header);
    ASSERT_GE(header.count, 1);
    GroupEntry entry;
    std::memcpy(&entry, group.data() + sizeof header, sizeof entry);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_TRUE(entry.colors == 16 || entry.bitCount == 4) << int(entry.colors) << " colours, " << entry.bitCount << " bits";

    HICON icon = static_cast<HICON>(::LoadImageA(module.Library(), "TIPPICON", IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    tk::UniqueIcon owner(icon);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    tk::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm = {};
    ::GetObjectA(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 32);

    auto drawOver = [&](COLORREF background) {
        return Render(32, background, [&](HDC dc) { ::DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL); });
    };
    const std::vector<std::uint32_t> overA = drawOver(kBackgroundA);
    const std::vector<std::uint32_t> overB = drawOver(kBackgroundB);
    int transparent = 0;
    int red = 0;
    for (int i = 0; i < 32 * 32; ++i) {
        if (overA[i] != overB[i]) ++transparent;
        const COLORREF c = ColorOf(overB[i]);
        if (GetRValue(c) > 150 && GetGValue(c) < 80 && GetBValue(c) < 80) ++red;
    }
    EXPECT_GT(transparent, 100) << "the background does not show around the flask";
    EXPECT_LT(transparent, 32 * 32 - 100) << "the flask is missing";
    EXPECT_NE(overA[0], overB[0]) << "a corner is not transparent";
    EXPECT_GT(red, 20) << "no red liquid";
}

TEST_F(TipResources, ButtonPictureIs24By24With4BitsPerPixel)
{
    const std::string_view bitmap = Resource(module.Library(), "THOTSPEEDBUTTON", MAKEINTRESOURCEA(2)); // RT_BITMAP
    ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bitmap.data(), sizeof header);
    EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.biWidth, 24);
    EXPECT_EQ(std::abs(header.biHeight), 24);
    EXPECT_EQ(header.biBitCount, 4);

    // A black disc on white.
    HBITMAP loaded = static_cast<HBITMAP>(::LoadImageA(module.Library(), "THOTSPEEDBUTTON", IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(loaded, nullptr);
    tk::UniqueBitmap owner(loaded);
    tk::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    tk::SelectedObject selected(dc.get(), loaded);
    EXPECT_EQ(::GetPixel(dc.get(), 12, 12), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc.get(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc.get(), 23, 23), RGB(255, 255, 255));
}

TEST_F(TipResources, VersionBlock)
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
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 1252);

    const struct {
        const char* key;
        const char* value; // null: any text that is not empty
    } rows[] = {
        {"FileDescription", "Auslagerungsdatei verlegen/umbenennen"},
        {"FileVersion", "1.0.0.0"},
        {"ProductVersion", "1.0.0.0"},
        {"OriginalFilename", "Tipp211"},
        {"InternalName", "Sorvanti"},
        {"ProductName", "Sorvanti"},
        {"Comments", "Bestandteil der Sorvanti"},
        {"CompanyName", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        const std::string query = std::string("\\StringFileInfo\\040704E4\\") + row.key;
        char* text = nullptr;
        ASSERT_TRUE(::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length));
        if (row.value) {
            EXPECT_STREQ(text, row.value);
        } else {
            EXPECT_GT(std::strlen(text), 0u);
        }
    }
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
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    const std::vector<std::string> expected{"ModulChanged", "ModulCreate", "ModulFree", "ModulNr", "ModulSaveChanges"};
    EXPECT_EQ(names, expected);
}

} // namespace
