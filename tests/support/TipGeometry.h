#pragma once
// The paging-file tip window's controls as its layout places them: in a client area of
// 292 x 426 at 96 pixels per inch, with how each keeps its place when the window is
// widened or the screen's resolution scales it.
#include <windows.h>

namespace ts {

// How a control follows the client area's right and bottom edges.
enum class Anchoring {
    TopLeft,     // stays where it is
    BottomLeft,  // the client area keeps its height: it stays too
    BottomRight, // moves with the right edge
    Widens,      // its right edge moves with the client area's
    AlignTop,    // the bevels: along an edge, as wide or as high as the client area allows
    AlignBottom,
    AlignLeft,
    AlignRight,
};

struct TipControl {
    const char* name;        // the layout's name
    const char* windowClass; // null for a control the tip window draws itself
    int left, top, width, height;
    Anchoring anchoring;
    bool visible = true;

    // Its rectangle in a client area of `client` at `dpi` pixels per inch: the layout's
    // design scaled by 96/dpi, then moved or widened as it is anchored.
    RECT In(SIZE client, int dpi = 96) const;
    RECT Rect() const { return In(kClient); }
    POINT Centre() const { return {left + width / 2, top + height / 2}; }

    static constexpr SIZE kClient{292, 426};
};

namespace tip {

inline constexpr TipControl kTitle{"StaticTextTitle", "Static", 16, 8, 257, 33, Anchoring::Widens};
// The two help texts lie on one place; the one of the other language is hidden.
inline constexpr TipControl kMemoGerman{"MemoHelpD", "Edit", 16, 32, 259, 105, Anchoring::Widens};
inline constexpr TipControl kMemoEnglish{"MemoHelpUS", "Edit", 16, 32, 259, 105, Anchoring::Widens, false};
inline constexpr TipControl kTopBevel{"PanelTopBorder", "TkWindow", 0, 0, 292, 5, Anchoring::AlignTop};
inline constexpr TipControl kBottomBevel{"PanelBottomBorder", "TkWindow", 0, 421, 292, 5, Anchoring::AlignBottom};
inline constexpr TipControl kLeftBevel{"PanelLeftBorder", "TkWindow", 0, 5, 5, 416, Anchoring::AlignLeft};
inline constexpr TipControl kRightBevel{"PanelRightBorder", "TkWindow", 287, 5, 5, 416, Anchoring::AlignRight};
inline constexpr TipControl kPagingDrive{"T228_Edit_PagingDrive", "Edit", 93, 154, 25, 19, Anchoring::TopLeft};
inline constexpr TipControl kPagingFile{"T228_Edit_PagingFile", "Edit", 93, 184, 180, 19, Anchoring::TopLeft};
inline constexpr TipControl kPagingDriveLabel{"T228_Label_PagingDrive", nullptr, 18, 154, 61, 13, Anchoring::TopLeft};
inline constexpr TipControl kPagingFileLabel{"T228_Label_PagingFile", nullptr, 18, 184, 52, 13, Anchoring::TopLeft};
inline constexpr TipControl kOK{"HotSpeedButtonOK", nullptr, 16, 381, 36, 36, Anchoring::BottomLeft};
inline constexpr TipControl kUndo{"HotSpeedButtonUndo", nullptr, 56, 381, 36, 36, Anchoring::BottomLeft};
inline constexpr TipControl kInfo{"HotSpeedButtonInfo", nullptr, 200, 381, 36, 36, Anchoring::BottomRight};
inline constexpr TipControl kRegistry{"HotSpeedButtonRegistry", nullptr, 240, 381, 36, 36, Anchoring::BottomRight};

// Every control, the windowed ones first: nothing else lies on the window.
inline constexpr TipControl kControls[] = {kTitle,           kMemoGerman, kMemoEnglish, kTopBevel,   kBottomBevel,
                                           kLeftBevel,       kRightBevel, kPagingDrive, kPagingFile, kPagingDriveLabel,
                                           kPagingFileLabel, kOK,         kUndo,        kInfo,       kRegistry};
inline constexpr int kWindowedControls = 9;
// The command buttons in the order of their images in the image list.
inline constexpr TipControl kButtons[] = {kOK, kUndo, kInfo, kRegistry};

} // namespace tip
} // namespace ts
