#include "toolkit/window/Control.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/window/Hints.h"
#include "toolkit/window/WinControl.h"

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
    static const TClassInfo& info =
        TClassInfo::Define("TControl", &TComponent::StaticClass(), nullptr, [](TClassInfo& c) {
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
                dynamic_cast<TControl&>(t).SetCursor(v.kind == LayoutValue::Kind::Integer ? r.AsInteger(v)
                                                                                          : r.AsEnum(v, names));
            });
            c.Color("Color", &TControl::SetColor);
            c.Boolean("ParentColor", &TControl::SetParentColor);
            c.Boolean("ParentFont", &TControl::SetParentFont);
            c.Property("Font.Name", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                dynamic_cast<TControl&>(t).Font().SetName(r.AsString(v));
            });
            c.Property("Font.Height", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                dynamic_cast<TControl&>(t).Font().SetHeight(r.AsInteger(v));
            });
            c.Property("Font.Size", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                dynamic_cast<TControl&>(t).Font().SetSize(r.AsInteger(v));
            });
            c.Property("Font.Color", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                dynamic_cast<TControl&>(t).Font().SetColor(r.AsColor(v));
            });
            c.Property("Font.Charset", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                static const std::map<std::string, int, NoCaseLess> names{{"ANSI_CHARSET", ANSI_CHARSET},
                                                                          {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                                          {"SYMBOL_CHARSET", SYMBOL_CHARSET}};
                dynamic_cast<TControl&>(t).Font().SetCharset(v.kind == LayoutValue::Kind::Integer ? r.AsInteger(v)
                                                                                                  : r.AsEnum(v, names));
            });
            c.Property("Font.Style", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                static const std::map<std::string, unsigned, NoCaseLess> names{{"fsBold", fsBold},
                                                                               {"fsItalic", fsItalic},
                                                                               {"fsUnderline", fsUnderline},
                                                                               {"fsStrikeOut", fsStrikeOut}};
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

TControl::~TControl() { m_font.OnChange = nullptr; }

void TControl::LeaveParent()
{
    if (!m_parent) return;
    m_parent->RemoveControl(this);
    m_parent = nullptr;
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

TWinControl* TControl::TopLevel() const
{
    const TControl* c = this;
    while (c->m_parent) c = c->m_parent;
    return dynamic_cast<TWinControl*>(const_cast<TControl*>(c));
}

FormHints* TControl::TopLevelHints() const
{
    TWinControl* top = TopLevel();
    return top ? top->Hints() : nullptr;
}

int TControl::Width() const
{
    const RECT r = BoundsRect();
    return r.right - r.left;
}

int TControl::Height() const
{
    const RECT r = BoundsRect();
    return r.bottom - r.top;
}

void TControl::SetLeft(int v)
{
    const RECT r = BoundsRect();
    SetBounds(v, r.top, r.right - r.left, r.bottom - r.top);
}

void TControl::SetTop(int v)
{
    const RECT r = BoundsRect();
    SetBounds(r.left, v, r.right - r.left, r.bottom - r.top);
}

void TControl::SetWidth(int v)
{
    const RECT r = BoundsRect();
    SetBounds(r.left, r.top, v, r.bottom - r.top);
}

void TControl::SetHeight(int v)
{
    const RECT r = BoundsRect();
    SetBounds(r.left, r.top, r.right - r.left, v);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    UpdateBounds(left, top, width, height);
    if (!m_parent) return;
    // An aligned control keeps only its thickness: the parent places it and its siblings.
    if (m_align != TAlign::alNone) m_parent->AlignControls();
    else KeepAnchorDistances();
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
    const RECT r = BoundsRect();
    m_anchorRight = m_parent->ClientWidth() - r.right;
    m_anchorBottom = m_parent->ClientHeight() - r.bottom;
}

RECT TControl::AnchoredBounds(int clientWidth, int clientHeight) const
{
    RECT r = BoundsRect();
    if (m_anchors & akRight) {
        if (!(m_anchors & akLeft)) r.left = clientWidth - m_anchorRight - (r.right - r.left);
        r.right = clientWidth - m_anchorRight;
    }
    if (m_anchors & akBottom) {
        if (!(m_anchors & akTop)) r.top = clientHeight - m_anchorBottom - (r.bottom - r.top);
        r.bottom = clientHeight - m_anchorBottom;
    }
    return r;
}

void TControl::VisibleChanged()
{
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
    if (FormHints* hints = TopLevelHints(); hints && TopLevel() != this) hints->Update(*this);
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

// A font of its own scales with the control; a parent's font comes scaled from the parent.
void TControl::ScaleBy(int multiplier, int divisor)
{
    if (!m_parentFont) m_font.SetHeight(::MulDiv(m_font.Height(), multiplier, divisor));
    const RECT r = BoundsRect();
    UpdateBounds(::MulDiv(r.left, multiplier, divisor), ::MulDiv(r.top, multiplier, divisor),
                 ::MulDiv(r.right - r.left, multiplier, divisor), ::MulDiv(r.bottom - r.top, multiplier, divisor));
}

} // namespace tk
