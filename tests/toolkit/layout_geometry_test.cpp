// Places of controls on real windows: anchors, border alignment and scaling.
#include "tests/toolkit/GeometryForms.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

GEOMETRY_FORM(TGeometryAnchorsForm)
GEOMETRY_FORM(TGeometryBordersForm)
GEOMETRY_FORM(TGeometryScaleForm)

struct Place {
    int left, top, width, height;
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p)
{
    return out << "(" << p.left << "," << p.top << " " << p.width << "x" << p.height << ")";
}

Place PlaceOf(const tk::TControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// Where the control's window really is on its parent.
Place WindowPlace(const tk::TWinControl& c)
{
    RECT r;
    ::GetWindowRect(c.Handle(), &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(c.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The control as its parent shows it: the window of a windowed control, the hit-test
// area of a windowless one.
void ExpectShownAt(tk::TControl& c, const Place& want)
{
    EXPECT_EQ(PlaceOf(c), want) << c.Name();
    if (auto* w = dynamic_cast<tk::TWinControl*>(&c)) {
        EXPECT_EQ(WindowPlace(*w), want) << c.Name() << " window";
    } else {
        const POINT inside{c.Left() + c.Width() - 1, c.Top() + c.Height() - 1};
        EXPECT_EQ(c.Parent()->ControlAtPos(inside), &c) << c.Name() << " hit test";
    }
}

std::vector<tk::TControl*> AllControls(const tk::TWinControl& parent)
{
    std::vector<tk::TControl*> result;
    for (tk::TControl* c : parent.Controls()) {
        result.push_back(c);
        if (auto* w = dynamic_cast<tk::TWinControl*>(c)) {
            const auto inner = AllControls(*w);
            result.insert(result.end(), inner.begin(), inner.end());
        }
    }
    return result;
}

using geometry::ShowForm;

void SetClientSize(tk::TForm& form, int width, int height)
{
    form.SetClientWidth(width);
    form.SetClientHeight(height);
}

TEST(LayoutGeometryAnchors, ControlsFollowTheirAnchoredEdgesAndReturnExactly)
{
    constexpr tk::TAnchors LT = tk::akLeft | tk::akTop, RB = tk::akRight | tk::akBottom,
                           LTR = tk::akLeft | tk::akTop | tk::akRight, TR = tk::akTop | tk::akRight;
    const std::map<std::string, tk::TAnchors> anchorsOf{
        {"EditLT", LT},    {"EditRB", RB},  {"EditLTR", LTR}, {"PanelLT", LT},   {"PanelRB", RB},
        {"PanelLTR", LTR}, {"SpeedLT", LT}, {"SpeedRB", RB},  {"SpeedLTR", LTR}, {"SpeedInPanel", TR},
    };
    auto form = ShowForm<TGeometryAnchorsForm>();
    const int cw = form->ClientWidth(), ch = form->ClientHeight();
    ASSERT_EQ(cw, 400);
    ASSERT_EQ(ch, 240);
    const auto controls = AllControls(*form);
    ASSERT_EQ(controls.size(), anchorsOf.size());
    std::map<tk::TControl*, Place> original;
    for (tk::TControl* c : controls) {
        ASSERT_EQ(c->Anchors(), anchorsOf.at(c->Name())) << c->Name();
        original[c] = PlaceOf(*c);
    }

    const struct {
        int dw, dh;
    } rows[] = {{100, 0}, {0, 60}, {100, 60}, {-50, -30}, {1, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "client grown by " << row.dw << "x" << row.dh);
        SetClientSize(*form, cw + row.dw, ch + row.dh);
        ts::PumpMessages();
        ASSERT_EQ(form->ClientWidth(), cw + row.dw);
        ASSERT_EQ(form->ClientHeight(), ch + row.dh);
        for (tk::TControl* c : controls) {
            // The stretched panel grows in width only, so that is all its button sees.
            const int dw = row.dw, dh = c->Parent() == form.get() ? row.dh : 0;
            const tk::TAnchors a = anchorsOf.at(c->Name());
            Place want = original[c];
            if (a & tk::akRight) (a & tk::akLeft ? want.width : want.left) += dw;
            if (a & tk::akBottom) (a & tk::akTop ? want.height : want.top) += dh;
            ExpectShownAt(*c, want);
        }
        SetClientSize(*form, cw, ch);
        ts::PumpMessages();
        for (tk::TControl* c : controls) ExpectShownAt(*c, original[c]);
    }
}

TEST(LayoutGeometryAlign, BorderStripsLineTheClientAreaAndFollowItsSize)
{
    auto form = ShowForm<TGeometryBordersForm>();
    auto strip = [&](const char* name) { return dynamic_cast<tk::TControl*>(form->FindComponent(name)); };
    tk::TControl *top = strip("StripTop"), *bottom = strip("StripBottom"), *left = strip("StripLeft"),
                 *right = strip("StripRight");
    ASSERT_TRUE(top && bottom && left && right);

    ExpectShownAt(*top, {0, 0, 292, 5});
    ExpectShownAt(*bottom, {0, 421, 292, 5});
    ExpectShownAt(*left, {0, 5, 5, 416});
    ExpectShownAt(*right, {287, 5, 5, 416});

    // Resized from outside, as the user or the host would: through the window itself.
    const struct {
        int cw, ch;
    } sizes[] = {{400, 300}, {150, 500}, {292, 426}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << "client " << size.cw << "x" << size.ch);
        RECT frame{0, 0, size.cw, size.ch};
        ::AdjustWindowRectEx(&frame, ::GetWindowLongA(form->Handle(), GWL_STYLE), FALSE,
                             ::GetWindowLongA(form->Handle(), GWL_EXSTYLE));
        ::SetWindowPos(form->Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ts::PumpMessages();
        ASSERT_EQ(form->ClientWidth(), size.cw);
        ASSERT_EQ(form->ClientHeight(), size.ch);
        ExpectShownAt(*top, {0, 0, size.cw, 5});
        ExpectShownAt(*bottom, {0, size.ch - 5, size.cw, 5});
        ExpectShownAt(*left, {0, 5, 5, size.ch - 10});
        ExpectShownAt(*right, {size.cw - 5, 5, 5, size.ch - 10});
    }

    // A strip that changes its thickness or hides moves the strips beside it.
    top->SetHeight(12);
    ExpectShownAt(*top, {0, 0, 292, 12});
    ExpectShownAt(*left, {0, 12, 5, 409});
    ExpectShownAt(*right, {287, 12, 5, 409});
    left->SetWidth(9);
    ExpectShownAt(*left, {0, 12, 9, 409});
    bottom->SetVisible(false);
    ExpectShownAt(*right, {287, 12, 5, 414});
}

TEST(LayoutGeometryScale, ScaleByShrinksEveryPlaceSizeAndFontAndAnchorsStillWork)
{
    constexpr int M = 96, D = 120;
    auto form = ShowForm<TGeometryScaleForm>();
    const int cw = form->ClientWidth(), ch = form->ClientHeight();
    ASSERT_EQ(cw, 443);
    ASSERT_EQ(ch, 317);
    ASSERT_EQ(form->Font().Height(), -13);
    const auto controls = AllControls(*form);
    ASSERT_EQ(controls.size(), 8u);
    std::map<tk::TControl*, Place> original;
    std::map<tk::TControl*, int> originalFont;
    for (tk::TControl* c : controls) {
        original[c] = PlaceOf(*c);
        originalFont[c] = c->Font().Height();
    }
    // Own fonts and inherited ones alike.
    ASSERT_EQ(originalFont[dynamic_cast<tk::TControl*>(form->FindComponent("EditOwnFont"))], -16);
    ASSERT_EQ(originalFont[dynamic_cast<tk::TControl*>(form->FindComponent("SpeedInGroup"))], -11);
    ASSERT_EQ(originalFont[dynamic_cast<tk::TControl*>(form->FindComponent("Edit1"))], -13);

    form->ScaleBy(M, D);
    ts::PumpMessages();

    EXPECT_EQ(form->ClientWidth(), ::MulDiv(cw, M, D));
    EXPECT_EQ(form->ClientHeight(), ::MulDiv(ch, M, D));
    EXPECT_EQ(form->Font().Height(), ::MulDiv(-13, M, D));
    std::map<tk::TControl*, Place> scaled;
    for (tk::TControl* c : controls) {
        const Place o = original[c];
        scaled[c] = {::MulDiv(o.left, M, D), ::MulDiv(o.top, M, D), ::MulDiv(o.width, M, D), ::MulDiv(o.height, M, D)};
        ExpectShownAt(*c, scaled[c]);
        EXPECT_EQ(c->Font().Height(), ::MulDiv(originalFont[c], M, D)) << c->Name();
        // System controls draw with the font their window was given.
        if (auto* w = dynamic_cast<tk::TWinControl*>(c); w && c->ClassType().Name() == "TEdit") {
            LOGFONTA lf = {};
            auto font = reinterpret_cast<HFONT>(::SendMessageA(w->Handle(), WM_GETFONT, 0, 0));
            ASSERT_TRUE(font && ::GetObjectA(font, sizeof lf, &lf)) << c->Name();
            EXPECT_EQ(lf.lfHeight, ::MulDiv(originalFont[c], M, D)) << c->Name() << " window font";
        }
    }

    // Anchors work from the scaled places: the full change reaches the anchored controls.
    SetClientSize(*form, form->ClientWidth() + 100, form->ClientHeight() + 40);
    ts::PumpMessages();
    for (tk::TControl* c : controls) {
        Place want = scaled[c];
        if (c->Name() == "SpeedRB") {
            want.left += 100;
            want.top += 40;
        } else if (c->Name() == "EditLTR") {
            want.width += 100;
        }
        ExpectShownAt(*c, want);
    }
}

} // namespace
