#pragma once
// Tells whether a component still exists. Code that calls out while it handles something
// (an event handler, a broadcast, a modal box) asks it before it touches the component
// again: whatever it called may have destroyed it.
#include "toolkit/base/Component.h"

namespace tk {

class TDestroyWatch : public TComponent {
public:
    explicit TDestroyWatch(TComponent* watched) : TComponent(nullptr), m_watched(watched)
    {
        if (watched) watched->FreeNotification(this);
    }
    ~TDestroyWatch() override
    {
        if (m_watched) RemoveFreeNotification(m_watched);
    }

    [[nodiscard]] bool Alive() const { return m_watched != nullptr; }

    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == m_watched) m_watched = nullptr;
    }

private:
    TComponent* m_watched;
};

} // namespace tk
