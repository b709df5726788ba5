#include "toolkit/gdi/Font.h"

namespace tk {

int ScreenPixelsPerInch()
{
    WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSX);
}

TFont::TFont() = default;

TFont::TFont(const TFont& other)
    : m_name(other.m_name), m_height(other.m_height), m_style(other.m_style), m_color(other.m_color),
      m_charset(other.m_charset)
{}

TFont& TFont::operator=(const TFont& other)
{
    if (this != &other && !SameAs(other)) {
        m_name = other.m_name;
        m_height = other.m_height;
        m_style = other.m_style;
        m_color = other.m_color;
        m_charset = other.m_charset;
        Changed();
    }
    return *this;
}

bool TFont::SameAs(const TFont& other) const
{
    return m_name == other.m_name && m_height == other.m_height && m_style == other.m_style &&
           m_color == other.m_color && m_charset == other.m_charset;
}

void TFont::SetName(const std::string& name)
{
    if (name != m_name) {
        m_name = name;
        Changed();
    }
}

void TFont::SetHeight(int height)
{
    if (height != m_height) {
        m_height = height;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles style)
{
    if (style != m_style) {
        m_style = style;
        Changed();
    }
}

void TFont::SetColor(TColor color)
{
    if (color != m_color) {
        m_color = color;
        Changed();
    }
}

void TFont::SetCharset(int charset)
{
    if (charset != m_charset) {
        m_charset = charset;
        Changed();
    }
}

int TFont::Size() const { return -::MulDiv(m_height, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-::MulDiv(points, ScreenPixelsPerInch(), 72)); }

HFONT TFont::Handle() const
{
    if (!m_handle) {
        LOGFONTA lf = {};
        lf.lfHeight = m_height;
        lf.lfWeight = (m_style & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (m_style & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (m_style & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (m_style & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = static_cast<BYTE>(m_charset);
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, m_name.c_str(), LF_FACESIZE);
        m_handle = SharedGdiObject::Font(lf);
    }
    return static_cast<HFONT>(m_handle.get());
}

void TFont::Changed()
{
    m_handle.reset();
    if (OnChange) OnChange();
}

} // namespace tk
