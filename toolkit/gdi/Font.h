#pragma once
// A font description (name, height, style, colour, character set) and the GDI font made
// from it. Owners hear of every change through the change callback.
#include "toolkit/base/Handles.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/SharedGdiObject.h"

#include <functional>
#include <string>

namespace tk {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);
    // Character height in pixels; negative values give the height without internal leading.
    int Height() const { return m_height; }
    void SetHeight(int height);
    // Size in points at the screen's resolution.
    int Size() const;
    void SetSize(int points);
    void SetStyle(TFontStyles style);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    void SetCharset(int charset);

    HFONT Handle() const;
    bool SameAs(const TFont& other) const;

    std::function<void()> OnChange;

private:
    void Changed();

    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    TFontStyles m_style = 0;
    TColor m_color = clWindowText;
    int m_charset = DEFAULT_CHARSET;
    mutable SharedGdiObject m_handle; // shared with every font of the same description
};

// The screen's horizontal resolution in pixels per inch.
int ScreenPixelsPerInch();

} // namespace tk
