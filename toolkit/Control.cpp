#include "toolkit/Control.h"
#include "toolkit/ClassInfo.h"
#include "toolkit/Form.h"
#include "toolkit/WinControl.h"

namespace tk {

HCURSOR CursorHandle(TCursor cursor)
{
    switch (cursor) {
    case crHandPoint: return ::LoadCursor(nullptr, IDC_HAND);
    case crIBeam: return ::LoadCursor(nullptr, IDC_IBEAM);
    default: return ::LoadCursor(nullptr, IDC_ARROW);
    }
}

const TClassInfo& TControl::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define("TControl", &TComponent::StaticClass(), nullptr, [](TClassInfo& c) {
        c.Integer("Left", &TControl::SetLeft);
        c.Integer("Top", &TControl::SetTop);
        c.Integer("Width", &TControl::SetWidth);
        c.Integer("Height", &TControl::SetHeight);
        c.Property("Anchors", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
            static const std::map<std::string, unsigned, NoCaseLess> names{
                {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};
            dynamic_cast<TControl&>(t).SetAnchors(r.AsSet(v, names));
        });
        c.Property("Align", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
            static const std::map<std::string, int, NoCaseLess> names{
                {"alNone", 0}, {"alTop", 1}, {"alBottom", 2}, {"alLeft", 3}, {"alRight", 4}, {"alClient", 5}};
            dynamic_cast<TControl&>(t).SetAlign(static_cast<TAlign>(r.AsEnum(v, names)));
        });
        c.Boolean("Enabled", &TControl::SetEnabled);
        c.Boolean("Visible", &TControl::SetVisible);
        c.Text("Hint", &TControl::SetHint);
        c.Boolean("ShowHint", &TControl::SetShowHint);
        c.Event("OnClick", &TControl::OnClick);
        c.Property("Cursor", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
            static const std::map<std::string, int, NoCaseLess> names{
                {"crDefault", crDefault}, {"crArrow", crArrow}, {"crIBeam", crIBeam}, {"crHandPoint", crHandPoint}};
            dynamic_cast<TControl&>(t).SetCursor(v.kind == LayoutValue::Kind::Integer ? r.AsInteger(v) : r.AsEnum(v, names));
        });
        c.Color("Color", &TControl::SetColor);
        c.Boolean("ParentColor", &TControl::SetParentColor);
        c.Boolean("ParentFont", &TControl::SetParentFont);
        c.Property("Font.Name", [](TComponent& t, const LayoutValue& v, LayoutReader& r) { dynamic_cast<TControl&>(t).Font().SetName(r.AsString(v)); });
        c.Property("Font.Height", [](TComponent& t, const LayoutValue& v, LayoutReader& r) { dynamic_cast<TControl&>(t).Font().SetHeight(r.AsInteger(v)); });
        c.Property("Font.Size", [](TComponent& t, const LayoutValue& v, LayoutReader& r) { dynamic_cast<TControl&>(t).Font().SetSize(r.AsInteger(v)); });
        c.Property("Font.Color", [](TComponent& t, const LayoutValue& v, LayoutReader& r) { dynamic_cast<TControl&>(t).Font().SetColor(r.AsColor(v)); });
        c.Property("Font.Charset", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
            static const std::map<std::string, int, NoCaseLess> names{
                {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"SYMBOL_CHARSET", SYMBOL_CHARSET}};
            dynamic_cast<TControl&>(t).Font().SetCharset(v.kind == LayoutValue::Kind::Integer ? r.AsInteger(v) : r.AsEnum(v, names));
        });
        c.Property("Font.Style", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
            static const std::map<std::string, unsigned, NoCaseLess> names{
                {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};
            dynamic_cast<TControl&>(t).Font().SetStyle(r.AsSet(v, names));
        });
    });
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    m_font.OnChange = [this] {
        if (!m_takingParentFont) m_parentFont = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    m_font.OnChange = nullptr;
    if (m_parent) m_parent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == m_parent) return;
    if (m_parent) {
        Invalidate();
        m_parent->RemoveControl(this);
    }
    m_parent = parent;
    if (m_parent) {
        m_parent->InsertControl(this);
        HintChanged();
        Invalidate();
    }
}

TForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c->m_parent) c = c->m_parent;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    UpdateBounds(left, top, width, height);
    if (!m_parent) return;
    // An aligned control keeps only its thickness: the parent places it and its siblings.
    if (m_align != TAlign::alNone)
        m_parent->AlignControls();
    else
        KeepAnchorDistances();
}

void TControl::UpdateBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height) return;
    Invalidate();
    StoreBounds(left, top, width, height);
    Invalidate();
    if (!IsWindowed() && m_showHint) HintChanged();
}

void TControl::StoreBounds(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

void TControl::SetAnchors(TAnchors anchors)
{
    m_anchors = anchors;
    if (m_parent) KeepAnchorDistances();
}

void TControl::SetAlign(TAlign align)
{
    m_align = align;
    if (m_parent) m_parent->AlignControls();
}

void TControl::KeepAnchorDistances()
{
    m_anchorRight = m_parent->ClientWidth() - (m_left + m_width);
    m_anchorBottom = m_parent->ClientHeight() - (m_top + m_height);
}

RECT TControl::AnchoredBounds(int clientWidth, int clientHeight) const
{
    RECT r = BoundsRect();
    if (m_anchors & akRight) {
        if (!(m_anchors & akLeft)) r.left = clientWidth - m_anchorRight - m_width;
        r.right = clientWidth - m_anchorRight;
    }
    if (m_anchors & akBottom) {
        if (!(m_anchors & akTop)) r.top = clientHeight - m_anchorBottom - m_height;
        r.bottom = clientHeight - m_anchorBottom;
    }
    return r;
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    EnabledChanged();
}

void TControl::SetVisible(bool visible)
{
    if (visible == m_visible) return;
    Invalidate();
    m_visible = visible;
    Invalidate();
    if (m_parent && m_align != TAlign::alNone) m_parent->AlignControls();
}

void TControl::SetHint(const std::string& hint)
{
    m_hint = hint;
    HintChanged();
}

void TControl::SetShowHint(bool show)
{
    m_showHint = show;
    HintChanged();
}

void TControl::HintChanged()
{
    if (TForm* form = ParentForm(); form && form != this) form->Hints().Update(*this);
}

void TControl::SetParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    if (parentFont && m_parent) ParentFontChanged(m_parent->Font());
}

void TControl::ParentFontChanged(const TFont& font)
{
    if (!m_parentFont) return;
    m_takingParentFont = true;
    m_font = font;
    m_takingParentFont = false;
}

void TControl::SetColor(TColor color)
{
    m_parentColor = false;
    if (color == m_color) return;
    m_color = color;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor)
{
    m_parentColor = parentColor;
    if (parentColor && m_parent) ParentColorChanged(m_parent->Color());
}

void TControl::ParentColorChanged(TColor color)
{
    if (!m_parentColor || color == m_color) return;
    m_color = color;
    ColorChanged();
}

void TControl::SetText(const std::string& text)
{
    if (text == m_text) return;
    m_text = text;
    Invalidate();
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wparam, LPARAM lparam)
{
    TMessage message{msg, wparam, lparam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    default: break;
    }
}

void TControl::CMMouseEnter(TMessage&)
{
    m_mouseInControl = true;
    Invalidate();
}

void TControl::CMMouseLeave(TMessage&)
{
    m_mouseInControl = false;
    Invalidate();
}

// A font of its own scales with the control; a parent's font comes scaled from the parent.
void TControl::ScaleBy(int multiplier, int divisor)
{
    if (!m_parentFont) m_font.SetHeight(::MulDiv(m_font.Height(), multiplier, divisor));
    UpdateBounds(::MulDiv(m_left, multiplier, divisor), ::MulDiv(m_top, multiplier, divisor),
                 ::MulDiv(m_width, multiplier, divisor), ::MulDiv(m_height, multiplier, divisor));
}

void TControl::Invalidate()
{
    if (!m_parent || !m_parent->HandleAllocated() || !m_visible) return;
    RECT r = BoundsRect();
    ::InvalidateRect(m_parent->Handle(), &r, TRUE);
}

} // namespace tk
