#pragma once
// ChildLayout: places the child controls of a windowed control in its client area. Aligned
// children become border strips (top and bottom span the width, left and right fill the
// height between them, a client-aligned child the rest); the others keep their distances
// to the edges their anchors name.
namespace tk {

class TWinControl;

class ChildLayout {
public:
    explicit ChildLayout(TWinControl& parent) : m_parent(parent) {}
    ChildLayout(const ChildLayout&) = delete;
    ChildLayout& operator=(const ChildLayout&) = delete;

    // Places the children for the client size the parent has now.
    void Apply();
    // Scales the children and takes their scaled anchor distances.
    void ScaleChildren(int multiplier, int divisor);

    // Keeps the layout off while the parent and its children scale themselves: the scaled
    // places already respect anchors and alignment.
    class ScalingScope {
    public:
        explicit ScalingScope(ChildLayout& layout) : m_layout(layout) { m_layout.m_scaling = true; }
        ~ScalingScope() { m_layout.m_scaling = false; }
        ScalingScope(const ScalingScope&) = delete;
        ScalingScope& operator=(const ScalingScope&) = delete;

    private:
        ChildLayout& m_layout;
    };

private:
    TWinControl& m_parent;
    // Apply is placing the children: the moves it makes do not start it again.
    bool m_aligning = false;
    // The parent and its children are scaling themselves (ScalingScope): the layout is off.
    bool m_scaling = false;
};

} // namespace tk
