// The hot image button on its own: which image its face shows and which cursor it asks
// for, as image lists come and go and the pointer enters and leaves.
#include "controls/HotSpeedButton.h"
#include "toolkit/base/Handles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 8;

// An image list of solid images in the given colours, each with a dark pixel on its own
// place so that no two images look alike; built through the image-list stream, as a
// stored layout brings it.
std::unique_ptr<tk::TImageList> MakeList(const std::vector<COLORREF>& colors)
{
    tk::UniqueImageList source(
        ::ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, static_cast<int>(colors.size()), 0));
    tk::WindowDC screen(nullptr);
    for (size_t i = 0; i < colors.size(); ++i) {
        tk::UniqueBitmap image(::CreateCompatibleBitmap(screen.get(), kSize, kSize));
        tk::UniqueBitmap mask(::CreateBitmap(kSize, kSize, 1, 1, nullptr));
        {
            tk::UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
            tk::SelectedObject selected(dc.get(), image.get());
            tk::UniqueBrush brush(::CreateSolidBrush(colors[i]));
            const RECT all{0, 0, kSize, kSize};
            ::FillRect(dc.get(), &all, brush.get());
            ::SetPixel(dc.get(), static_cast<int>(i) % kSize, 1, RGB(10, 10, 10));
        }
        {
            tk::UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
            tk::SelectedObject selected(dc.get(), mask.get());
            ::PatBlt(dc.get(), 0, 0, kSize, kSize, BLACKNESS); // every pixel opaque
        }
        EXPECT_EQ(::ImageList_Add(source.get(), image.get(), mask.get()), static_cast<int>(i));
    }
    IStream* stream = nullptr;
    EXPECT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    EXPECT_TRUE(::ImageList_Write(source.get(), stream));
    HGLOBAL memory = nullptr;
    ::GetHGlobalFromStream(stream, &memory);
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    const auto* bytes = static_cast<const char*>(::GlobalLock(memory));
    std::string data(bytes, static_cast<size_t>(stat.cbSize.QuadPart));
    ::GlobalUnlock(memory);
    stream->Release();

    auto list = std::make_unique<tk::TImageList>(nullptr);
    list->ReadStream(data);
    return list;
}

// Whether the face shows exactly image `index` of `list`.
::testing::AssertionResult Shows(const THotSpeedButton& button, const tk::TImageList& list, int index)
{
    tk::TBitmap expected;
    list.GetBitmap(index, expected);
    const tk::TBitmap& glyph = button.Glyph();
    if (glyph.Empty()) return ::testing::AssertionFailure() << "the glyph is empty, not image " << index;
    if (glyph.Width() != expected.Width() || glyph.Height() != expected.Height())
        return ::testing::AssertionFailure() << "glyph " << glyph.Width() << "x" << glyph.Height() << ", image "
                                             << expected.Width() << "x" << expected.Height();
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x)
            if (glyph.Pixel(x, y) != expected.Pixel(x, y))
                return ::testing::AssertionFailure()
                       << "the glyph differs from image " << index << " at " << x << "," << y;
    return ::testing::AssertionSuccess();
}

// Records what the button looks like each time it asks to be redrawn.
class ObservedButton : public THotSpeedButton {
public:
    using THotSpeedButton::THotSpeedButton;

    struct Snapshot {
        bool mouseInControl;
        tk::TCursor cursor;
        COLORREF glyphCorner; // CLR_INVALID while the glyph is empty
    };
    std::vector<Snapshot> redraws;

    void Invalidate() override
    {
        redraws.push_back({MouseInControl(), Cursor(), Glyph().Pixel(kSize - 1, kSize - 1)});
        THotSpeedButton::Invalidate();
    }
};

const std::vector<COLORREF> kColorsA{RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
const std::vector<COLORREF> kColorsB{RGB(0, 200, 200), RGB(200, 0, 200), RGB(90, 90, 90), RGB(250, 160, 60)};

void Enter(THotSpeedButton& button) { button.Perform(tk::CM_MOUSEENTER); }
void Leave(THotSpeedButton& button) { button.Perform(tk::CM_MOUSELEAVE); }

} // namespace

TEST(HotSpeedButton, CreatedWithoutALayout)
{
    THotSpeedButton button(nullptr);
    EXPECT_TRUE(button.Flat());
    EXPECT_EQ(button.Width(), 36);
    EXPECT_EQ(button.Height(), 36);
    EXPECT_TRUE(button.Glyph().Empty());
    EXPECT_EQ(button.ImageIndex(), 0);
    EXPECT_EQ(button.HotImageIndex(), 0);
    EXPECT_EQ(button.Images(), nullptr);
    EXPECT_EQ(button.Cursor(), tk::crDefault);
    EXPECT_FALSE(button.MouseInControl());
}

TEST(HotSpeedButton, AssigningTheListShowsTheNormalImageAtOnce)
{
    auto list = MakeList(kColorsA);
    ASSERT_EQ(list->Count(), 4);
    const struct {
        const char* what;
        int indexBefore; // -1: left at its start value
    } rows[] = {{"index 0 from the start", -1}, {"index 2 set before the list", 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        THotSpeedButton button(nullptr);
        if (row.indexBefore >= 0) button.SetImageIndex(row.indexBefore);
        EXPECT_TRUE(button.Glyph().Empty());
        button.SetImages(list.get());
        EXPECT_EQ(button.Images(), list.get());
        EXPECT_TRUE(Shows(button, *list, row.indexBefore >= 0 ? row.indexBefore : 0));
        EXPECT_EQ(button.Glyph().Width(), kSize);
    }
}

TEST(HotSpeedButton, HotImageShowsWhileThePointerIsOver)
{
    auto list = MakeList(kColorsA);
    THotSpeedButton button(nullptr);
    button.SetImages(list.get());
    button.SetHotImageIndex(3);
    EXPECT_EQ(button.HotImageIndex(), 3);
    EXPECT_TRUE(Shows(button, *list, 0)) << "assigning the hot index changed the face";

    Enter(button);
    EXPECT_TRUE(Shows(button, *list, 3));
    Leave(button);
    EXPECT_TRUE(Shows(button, *list, 0));
}

// While the pointer is over the button, a new hot index waits for the next entry; a new
// normal index shows at once and stays when the pointer leaves.
TEST(HotSpeedButton, IndexChangedWhileThePointerIsOver)
{
    auto list = MakeList(kColorsA);
    const struct {
        const char* what;
        void (THotSpeedButton::*set)(int);
        int value;
        int now, afterLeave, afterEntry;
    } rows[] = {
        {"hot index", &THotSpeedButton::SetHotImageIndex, 1, 3, 0, 1},
        {"normal index", &THotSpeedButton::SetImageIndex, 2, 2, 2, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        THotSpeedButton button(nullptr);
        button.SetImages(list.get());
        button.SetHotImageIndex(3);
        Enter(button);
        (button.*row.set)(row.value);
        EXPECT_TRUE(Shows(button, *list, row.now));
        EXPECT_EQ(button.Cursor(), tk::crHandPoint);
        Leave(button);
        EXPECT_TRUE(Shows(button, *list, row.afterLeave));
        Enter(button);
        EXPECT_TRUE(Shows(button, *list, row.afterEntry));
    }
}

TEST(HotSpeedButton, DestroyingTheListEmptiesTheFace)
{
    auto list = MakeList(kColorsA);
    THotSpeedButton button(nullptr);
    button.SetImages(list.get());
    button.SetImageIndex(2);
    button.SetHotImageIndex(3);
    ASSERT_FALSE(button.Glyph().Empty());

    list.reset();
    EXPECT_EQ(button.Images(), nullptr);
    EXPECT_TRUE(button.Glyph().Empty());
    EXPECT_EQ(button.ImageIndex(), 2);
    EXPECT_EQ(button.HotImageIndex(), 3);

    // From now on the pointer changes only the cursor.
    Enter(button);
    EXPECT_TRUE(button.Glyph().Empty());
    EXPECT_EQ(button.Cursor(), tk::crHandPoint);
    Leave(button);
    EXPECT_TRUE(button.Glyph().Empty());
    EXPECT_EQ(button.Cursor(), tk::crDefault);

    // A new list brings the images back.
    auto other = MakeList(kColorsB);
    button.SetImages(other.get());
    EXPECT_TRUE(Shows(button, *other, 2));
}

TEST(HotSpeedButton, DestroyingAFormerListChangesNothing)
{
    auto a = MakeList(kColorsA);
    auto b = MakeList(kColorsB);
    THotSpeedButton button(nullptr);
    button.SetImages(a.get());
    button.SetImageIndex(1);
    button.SetHotImageIndex(2);
    button.SetImages(b.get());
    ASSERT_TRUE(Shows(button, *b, 1));

    a.reset();
    EXPECT_EQ(button.Images(), b.get());
    EXPECT_TRUE(Shows(button, *b, 1));
    Enter(button);
    EXPECT_TRUE(Shows(button, *b, 2));

    // Unhooking the list by hand works as well: the face empties.
    button.SetImages(nullptr);
    EXPECT_EQ(button.Images(), nullptr);
    EXPECT_TRUE(button.Glyph().Empty());
}

// Without a list, and whether enabled or not, entering empties the face and asks for the
// hand; leaving asks for the default cursor, whatever cursor was set in between.
TEST(HotSpeedButton, EnterAndLeaveWithoutAListOrWhenDisabled)
{
    auto list = MakeList(kColorsA);
    const struct {
        const char* what;
        bool withList;
        bool enabled;
    } rows[] = {
        {"no list", false, true},
        {"no list, disabled", false, false},
        {"list, disabled", true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        THotSpeedButton button(nullptr);
        button.SetEnabled(row.enabled);
        button.SetHotImageIndex(1);
        button.SetImageIndex(2);
        if (row.withList) {
            button.SetImages(list.get());
        } else {
            button.Glyph().SetSize(5, 5, RGB(1, 2, 3)); // a glyph from elsewhere
        }

        // Image `index` of the list; without a list, no glyph at all.
        auto expectFace = [&](int index) {
            if (row.withList) {
                EXPECT_TRUE(Shows(button, *list, index));
            } else {
                EXPECT_TRUE(button.Glyph().Empty());
            }
        };

        Enter(button);
        expectFace(1);
        EXPECT_EQ(button.Cursor(), tk::crHandPoint);
        EXPECT_TRUE(button.MouseInControl());

        button.SetCursor(tk::crIBeam);
        Leave(button);
        expectFace(2);
        EXPECT_EQ(button.Cursor(), tk::crDefault);
        EXPECT_FALSE(button.MouseInControl());
    }
}

// The base class hears of the entry or leave only after the face and the cursor changed:
// its own redraw already sees the new image and cursor.
TEST(HotSpeedButton, BaseHandlingRunsAfterImageAndCursorChanged)
{
    auto list = MakeList(kColorsA);
    ObservedButton button(nullptr);
    button.SetImages(list.get());
    button.SetHotImageIndex(1);
    const COLORREF normalCorner = kColorsA[0];
    const COLORREF hotCorner = kColorsA[1];

    const struct {
        const char* what;
        UINT message;
        bool mouseInControl;
        tk::TCursor cursor;
        COLORREF corner;
    } rows[] = {
        {"enter", tk::CM_MOUSEENTER, true, tk::crHandPoint, hotCorner},
        {"leave", tk::CM_MOUSELEAVE, false, tk::crDefault, normalCorner},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        button.redraws.clear();
        button.Perform(row.message);
        ASSERT_FALSE(button.redraws.empty());
        // Every redraw before the last one comes from the image change, before the base
        // class's own; the last one is the base class's.
        const auto& last = button.redraws.back();
        EXPECT_EQ(last.mouseInControl, row.mouseInControl);
        EXPECT_EQ(last.cursor, row.cursor);
        EXPECT_EQ(last.glyphCorner, row.corner);
        for (size_t i = 0; i + 1 < button.redraws.size(); ++i)
            EXPECT_NE(button.redraws[i].mouseInControl, row.mouseInControl) << "the base class ran before redraw " << i;
    }
}
