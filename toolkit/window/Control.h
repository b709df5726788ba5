#pragma once
// TControl: a visual component with a place on its parent, a font, a colour, anchors or an
// alignment, a hint and a cursor. Where place, text, enabled state and visibility live
// depends on the kind of control: a windowless control (TGraphicControl) keeps them itself,
// a windowed one (TWinControl) in its window.
#include "toolkit/base/Component.h"
#include "toolkit/gdi/Font.h"

#include <functional>
#include <string>

namespace tk {

class TWinControl;
class FormHints;

// Toolkit control messages, sent to a control with Perform.
inline constexpr UINT CM_MOUSEENTER = 0xB013;
inline constexpr UINT CM_MOUSELEAVE = 0xB014;

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Cursor numbers: 0 is the default cursor, crHandPoint the pointing hand.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHandPoint = -21;
HCURSOR CursorHandle(TCursor cursor);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* parent);
    // The outermost windowed control the control lies on, itself for one without a parent:
    // the window that keeps the hints and the keys of every window on it (a form).
    TWinControl* TopLevel() const;
    // The tooltip of that window's hints; null where it keeps none.
    FormHints* TopLevelHints() const;

    // The place on the parent's client area; a top-level window's on the screen.
    virtual RECT BoundsRect() const = 0;
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const;
    int Height() const;
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    // Takes a new place; the parent then re-aligns its aligned children, or keeps the
    // control's new distances to its edges for the anchors.
    void SetBounds(int left, int top, int width, int height);
    // Takes a new place and nothing else: the parent places its children with it.
    virtual void UpdateBounds(int left, int top, int width, int height) = 0;
    virtual int ClientWidth() const { return Width(); }
    virtual int ClientHeight() const { return Height(); }

    TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors anchors);
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);
    // Takes the distances from the control's place to its parent's right and bottom edges,
    // which right and bottom anchors keep.
    void KeepAnchorDistances();
    // The place the anchors give the control in a client area of the given size.
    RECT AnchoredBounds(int clientWidth, int clientHeight) const;

    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;

    const std::string& Hint() const { return m_hint; }
    virtual void SetHint(const std::string& hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show);

    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor) { m_cursor = cursor; }

    TFont& Font() { return m_font; }
    const TFont& Font() const { return m_font; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    void SetParentColor(bool parentColor);

    TNotifyEvent OnClick;
    virtual void Click();

    // Sends a message (a toolkit control message such as CM_MOUSEENTER, or a window
    // message) through the control's own message handling and returns its result.
    LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    virtual void WndProc(TMessage&) {}

    // Scales place, size and font by multiplier / divisor.
    virtual void ScaleBy(int multiplier, int divisor);
    // Redraws the control on screen.
    virtual void Invalidate() = 0;

    // Called by the parent when its font or colour changes.
    void ParentFontChanged(const TFont& font);
    void ParentColorChanged(TColor color);

protected:
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    // The parent re-aligns its aligned children when one of them shows or hides.
    void VisibleChanged();
    // Tells the form's tooltip of a new hint, or of a new place for it.
    void HintChanged();
    // Leaves the parent without a redraw, for a control that is being destroyed. Each kind
    // of control does it in its own destructor: the parent still asks it what it is.
    void LeaveParent();

private:
    TWinControl* m_parent = nullptr;
    // Distances to the parent's right and bottom edges, kept for right and bottom anchors.
    int m_anchorRight = 0, m_anchorBottom = 0;
    TAnchors m_anchors = akLeft | akTop;
    TAlign m_align = TAlign::alNone;
    std::string m_hint;
    bool m_showHint = false;
    TCursor m_cursor = crDefault;
    TFont m_font;
    bool m_parentFont = true;
    // The font is being copied from the parent's: the change keeps ParentFont.
    bool m_takingParentFont = false;
    TColor m_color = clBtnFace;
    bool m_parentColor = true;
};

} // namespace tk
