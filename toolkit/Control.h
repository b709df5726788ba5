#pragma once
// TControl: a visual component with a place on its parent, a font, a colour, anchors or an
// alignment, a hint and a cursor. Windowless controls keep all of this here and are
// painted and hit-tested by their parent; windowed controls (TWinControl) keep the state
// that the window itself holds in the window.
#include "toolkit/Component.h"
#include "toolkit/Font.h"

#include <functional>
#include <string>

namespace tk {

class TWinControl;
class TForm;

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
    // The window the control lies on: the parent form.
    TForm* ParentForm() const;

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
    void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
    void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
    void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }
    // Takes a new place; the parent then re-aligns its aligned children, or keeps the
    // control's new distances to its edges for the anchors.
    void SetBounds(int left, int top, int width, int height);
    // Takes a new place and nothing else: the parent places its children with it. Windowed
    // controls also move their window.
    virtual void UpdateBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }
    virtual int ClientWidth() const { return m_width; }
    virtual int ClientHeight() const { return m_height; }

    TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors anchors);
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);
    // Takes the distances from the control's place to its parent's right and bottom edges,
    // which right and bottom anchors keep.
    void KeepAnchorDistances();
    // The place the anchors give the control in a client area of the given size.
    RECT AnchoredBounds(int clientWidth, int clientHeight) const;

    virtual bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);
    virtual bool Visible() const { return m_visible; }
    virtual void SetVisible(bool visible);

    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show);

    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor) { m_cursor = cursor; }

    TFont& Font() { return m_font; }
    const TFont& Font() const { return m_font; }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor);

    virtual std::string Text() const { return m_text; }
    virtual void SetText(const std::string& text);

    TNotifyEvent OnClick;
    virtual void Click();

    // Sends a message (a toolkit control message such as CM_MOUSEENTER, or a window
    // message) through the control's own message handling and returns its result.
    LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    virtual void WndProc(TMessage& message);

    // Scales place, size and font by multiplier / divisor.
    virtual void ScaleBy(int multiplier, int divisor);
    // Redraws the control on screen.
    virtual void Invalidate();

    // Painting of windowless controls; the parent calls it with the control's own origin.
    virtual void Paint(HDC) {}
    virtual bool IsWindowed() const { return false; }

    // Called by the parent when its font or colour changes.
    void ParentFontChanged(const TFont& font);
    void ParentColorChanged(TColor color);

protected:
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void EnabledChanged() { Invalidate(); }
    // Tells the form's tooltip of a new hint, or of a new place for it.
    void HintChanged();

    bool m_mouseInControl = false;

private:
    friend class TWinControl;
    // Takes a new place, and nothing else.
    void StoreBounds(int left, int top, int width, int height);

    TWinControl* m_parent = nullptr;
    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    // Distances to the parent's right and bottom edges, kept for right and bottom anchors.
    int m_anchorRight = 0, m_anchorBottom = 0;
    TAnchors m_anchors = akLeft | akTop;
    TAlign m_align = TAlign::alNone;
    bool m_enabled = true;
    bool m_visible = true;
    std::string m_hint;
    bool m_showHint = false;
    TCursor m_cursor = crDefault;
    TFont m_font;
    bool m_parentFont = true;
    // The font is being copied from the parent's: the change keeps ParentFont.
    bool m_takingParentFont = false;
    TColor m_color = clBtnFace;
    bool m_parentColor = true;
    std::string m_text;
};

} // namespace tk
