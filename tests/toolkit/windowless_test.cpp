// Windowless controls, which their parent window tracks, hit-tests and paints, and the
// pictures they show: speed-button glyphs and image lists.
#include "tests/support/MessageBoxes.h"
#include "tests/support/Pump.h"
#include "tests/support/WindowCapture.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/forms/Form.h"
#include "toolkit/widgets/ImageList.h"
#include "toolkit/widgets/Label.h"
#include "toolkit/widgets/SpeedButton.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// Counts the pointer notices the parent delivers, then handles them as usual.
class RecordingButton : public tk::TSpeedButton {
public:
    using TSpeedButton::TSpeedButton;
    int enters = 0;
    int leaves = 0;
    int clicks = 0;

protected:
    void CMMouseEnter(tk::TMessage& m) override
    {
        ++enters;
        TSpeedButton::CMMouseEnter(m);
    }
    void CMMouseLeave(tk::TMessage& m) override
    {
        ++leaves;
        TSpeedButton::CMMouseLeave(m);
    }
};

constexpr COLORREF kFormColor = RGB(255, 255, 0);

class WindowlessControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ts::ParkPointer();
        form = std::make_unique<tk::TForm>(nullptr);
        form->SetBounds(30, 30, 100, 100);
        form->SetClientWidth(200);
        form->SetClientHeight(120);
        form->SetColor(kFormColor);
        button = new RecordingButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(20, 20, 40, 30);
        button->OnClick = [this](tk::TObject*) { ++button->clicks; };
    }
    void TearDown() override { EXPECT_TRUE(boxes.Texts().empty()); }

    void Send(UINT msg, int x, int y, WPARAM keys = 0) { SendMessageA(form->Handle(), msg, keys, MAKELPARAM(x, y)); }
    void Show()
    {
        form->Show();
        ts::PumpPaints(form->Handle());
    }

    ts::MessageBoxRecorder boxes;
    std::unique_ptr<tk::TForm> form;
    RecordingButton* button = nullptr;
};

TEST_F(WindowlessControls, ParentDeliversPointerEnterAndLeaveOncePerCrossing)
{
    const struct {
        const char* step;
        UINT msg;
        int x, y;
        int enters, leaves;
    } steps[] = {
        {"move over the form", WM_MOUSEMOVE, 100, 90, 0, 0},
        {"move onto the button", WM_MOUSEMOVE, 25, 25, 1, 0},
        {"move within it", WM_MOUSEMOVE, 40, 35, 1, 0},
        {"move to its last pixel", WM_MOUSEMOVE, 59, 49, 1, 0},
        {"move just past its right edge", WM_MOUSEMOVE, 60, 49, 1, 1},
        {"move off again", WM_MOUSEMOVE, 150, 100, 1, 1},
        {"move back on", WM_MOUSEMOVE, 30, 30, 2, 1},
        {"pointer leaves the window", WM_MOUSELEAVE, 0, 0, 2, 2},
        {"pointer leaves again", WM_MOUSELEAVE, 0, 0, 2, 2},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        Send(s.msg, s.x, s.y);
        EXPECT_EQ(button->enters, s.enters);
        EXPECT_EQ(button->leaves, s.leaves);
        EXPECT_EQ(button->MouseInControl(), s.enters > s.leaves);
    }
}

TEST_F(WindowlessControls, ClickFiresOnlyWhenPressedAndReleasedOverTheButton)
{
    const struct {
        const char* what;
        POINT down, move, up;
        int clicks;
    } rows[] = {
        {"pressed and released on it", {25, 25}, {30, 30}, {35, 35}, 1},
        {"released after moving off", {25, 25}, {100, 90}, {100, 90}, 0},
        {"moved off and back before release", {25, 25}, {100, 90}, {45, 40}, 1},
        {"pressed beside it, released on it", {100, 90}, {30, 30}, {30, 30}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        button->clicks = 0;
        Send(WM_MOUSEMOVE, row.down.x, row.down.y);
        Send(WM_LBUTTONDOWN, row.down.x, row.down.y, MK_LBUTTON);
        Send(WM_MOUSEMOVE, row.move.x, row.move.y, MK_LBUTTON);
        Send(WM_MOUSEMOVE, row.up.x, row.up.y, MK_LBUTTON);
        Send(WM_LBUTTONUP, row.up.x, row.up.y);
        EXPECT_EQ(button->clicks, row.clicks);
        EXPECT_FALSE(button->Pressed());
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(WindowlessControls, DisabledButtonTracksThePointerButIsNotClicked)
{
    button->SetEnabled(false);
    Send(WM_MOUSEMOVE, 30, 30);
    EXPECT_EQ(button->enters, 1);
    Send(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    EXPECT_FALSE(button->Pressed());
    Send(WM_LBUTTONUP, 30, 30);
    EXPECT_EQ(button->clicks, 0);
    Send(WM_MOUSEMOVE, 150, 100);
    EXPECT_EQ(button->leaves, 1);

    // Enabled again, the same gestures click.
    button->SetEnabled(true);
    Send(WM_MOUSEMOVE, 30, 30);
    Send(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    Send(WM_LBUTTONUP, 30, 30);
    EXPECT_EQ(button->clicks, 1);
}

TEST_F(WindowlessControls, SetCursorAnswersWithTheCursorOfTheControlUnderThePointer)
{
    button->SetCursor(tk::crHandPoint);
    auto* plain = new tk::TSpeedButton(form.get());
    plain->SetParent(form.get());
    plain->SetBounds(80, 20, 40, 30);

    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const struct {
        const char* where;
        int x, y;
        HCURSOR cursor;
    } rows[] = {
        {"hand-point button", 30, 30, hand},
        {"button with the default cursor", 90, 30, arrow},
        {"empty form", 150, 100, arrow},
        {"hand-point button again", 59, 49, hand},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        Send(WM_MOUSEMOVE, row.x, row.y);
        SendMessageA(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), row.cursor);
    }
}

TEST_F(WindowlessControls, GlyphLeavesOutTheColourOfItsLowerLeftPixel)
{
    // Green background keyed by the lower-left pixel; a red square and a blue top-left
    // corner, which must show although a corner.
    tk::TBitmap& glyph = button->Glyph();
    glyph.SetSize(16, 16, RGB(0, 255, 0));
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x) glyph.SetPixel(x, y, RGB(255, 0, 0));
    glyph.SetPixel(0, 0, RGB(0, 0, 255));
    glyph.Changed();
    Show();

    const ts::Image image = ts::Image::Capture(form->Handle(), true);
    // The glyph is centred: (40 - 16) / 2 across, (30 - 16) / 2 down.
    const int gx = 20 + 12, gy = 20 + 7;
    EXPECT_EQ(image.Pixel(gx + 8, gy + 8), RGB(255, 0, 0));
    EXPECT_EQ(image.Pixel(gx, gy), RGB(0, 0, 255));
    EXPECT_EQ(image.Pixel(gx + 1, gy + 14), kFormColor);
    EXPECT_EQ(image.Pixel(gx + 14, gy + 1), kFormColor);
    int green = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) green += image.Pixel(x, y) == RGB(0, 255, 0);
    EXPECT_EQ(green, 0);
}

TEST_F(WindowlessControls, TransparentLabelShowsItsParentsColourBehindItsText)
{
    const struct {
        bool transparent;
        COLORREF behind;
    } rows[] = {{true, kFormColor}, {false, RGB(255, 255, 255)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.transparent ? "transparent" : "opaque");
        auto label = std::make_unique<tk::TLabel>(form.get());
        label->SetParent(form.get());
        label->SetBounds(20, 70, 65, 13);
        label->SetColor(tk::clWhite); // its own colour, which a transparent label leaves unused
        label->Font().SetColor(tk::clBlack);
        label->SetCaption("W");
        label->SetTransparent(row.transparent);
        Show();

        const ts::Image image = ts::Image::Capture(form->Handle(), true);
        EXPECT_EQ(image.Pixel(20 + 60, 70 + 6), row.behind);
        EXPECT_EQ(image.Pixel(20 + 40, 70 + 1), row.behind);
        int dark = 0;
        for (int y = 70; y < 83; ++y)
            for (int x = 20; x < 40; ++x) dark += image.Pixel(x, y) == RGB(0, 0, 0);
        EXPECT_GT(dark, 0) << "no text drawn";
    }
}

// ---- Image lists -------------------------------------------------------------------

struct ReleaseStream {
    void operator()(IStream* s) const { s->Release(); }
};

// Writes `list` with ImageList_Write into memory and returns the bytes.
std::string ImageListStream(HIMAGELIST list)
{
    IStream* raw = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &raw))) throw std::runtime_error("CreateStreamOnHGlobal");
    std::unique_ptr<IStream, ReleaseStream> stream(raw);
    if (!ImageList_Write(list, stream.get())) throw std::runtime_error("ImageList_Write");
    ULARGE_INTEGER size{};
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &size);
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream.get(), &memory);
    std::string bytes(static_cast<const char*>(GlobalLock(memory)), static_cast<size_t>(size.QuadPart));
    GlobalUnlock(memory);
    return bytes;
}

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 160, 0), kWhite = RGB(255, 255, 255);
constexpr COLORREF kKey = RGB(0, 255, 255); // left out when the images are added

TEST(ImageListStream, ReadsTheImagesOfAnImageListWriteStream)
{
    tk::UniqueImageList source(ImageList_Create(20, 12, ILC_COLOR24 | ILC_MASK, 2, 0));
    ASSERT_TRUE(source);
    const struct {
        COLORREF fill;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    } images[] = {
        {kRed, {{{3, 5}, kBlue}, {{19, 11}, kKey}}},
        {kGreen, {{{0, 0}, kKey}, {{10, 6}, kWhite}}},
    };
    for (const auto& image : images) {
        tk::TBitmap bitmap;
        bitmap.SetSize(20, 12, image.fill);
        for (const auto& [at, color] : image.pixels) bitmap.SetPixel(at.x, at.y, color);
        ASSERT_GE(ImageList_AddMasked(source.get(), bitmap.Handle(), kKey), 0);
    }

    tk::TImageList list(nullptr);
    list.ReadStream(ImageListStream(source.get()));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Width(), 20);
    EXPECT_EQ(list.Height(), 12);

    const struct {
        int index, x, y;
        COLORREF color;
    } rows[] = {
        {0, 0, 0, kRed},
        {0, 3, 5, kBlue},
        {0, 19, 11, tk::kImageListBackground},
        {0, 18, 11, kRed},
        {1, 0, 0, tk::kImageListBackground},
        {1, 10, 6, kWhite},
        {1, 5, 5, kGreen},
        {1, 19, 11, kGreen},
    };
    tk::TBitmap bitmap;
    for (const auto& row : rows) {
        SCOPED_TRACE("image " + std::to_string(row.index) + " at " + std::to_string(row.x) + "," +
                     std::to_string(row.y));
        list.GetBitmap(row.index, bitmap);
        ASSERT_EQ(bitmap.Width(), 20);
        ASSERT_EQ(bitmap.Height(), 12);
        EXPECT_EQ(bitmap.Pixel(row.x, row.y), row.color);
    }
}

TEST(ImageListStream, RefusesBytesThatAreNoImageList)
{
    tk::TImageList list(nullptr);
    for (const std::string& bytes : {std::string(), std::string("not an image list"), std::string(64, '\0')}) {
        SCOPED_TRACE(bytes.size());
        EXPECT_THROW(list.ReadStream(bytes), tk::Exception);
        EXPECT_EQ(list.Count(), 0);
    }
}

} // namespace
