#include "toolkit/base/Component.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"

#include <algorithm>
#include <cctype>

namespace tk {

namespace {
void Erase(std::vector<TComponent*>& list, TComponent* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
} // namespace

const TClassInfo& TComponent::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define("TComponent", nullptr, nullptr,
                                                       [](TClassInfo& c) { c.Integer("Tag", &TComponent::SetTag); });
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    NotifyFreeNotifies();
    DestroyComponents();
    if (m_owner) m_owner->RemoveComponent(this);
}

void TComponent::Destroying()
{
    if (m_destroying) return;
    m_destroying = true;
    for (TComponent* c : m_components) c->Destroying();
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
    return m_components[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    for (TComponent* c : m_components) {
        if (c->Name().size() == name.size() &&
            std::equal(name.begin(), name.end(), c->Name().begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return c;
    }
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this) return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), other) == m_freeNotifies.end()) {
        m_freeNotifies.push_back(other);
        other->FreeNotification(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    Erase(m_freeNotifies, other);
    if (other) Erase(other->m_freeNotifies, this);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove && component) RemoveFreeNotification(component);
    // Index loop from the end: a receiver may destroy components while being told.
    for (size_t i = m_components.size(); i-- > 0;) {
        if (i < m_components.size()) m_components[i]->Notification(component, operation);
    }
}

void TComponent::DestroyComponents()
{
    while (!m_components.empty()) {
        TComponent* last = m_components.back();
        delete last; // its destructor removes it from this list
    }
}

void TComponent::InsertComponent(TComponent* component)
{
    m_components.push_back(component);
    component->m_owner = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    Notification(component, TOperation::opRemove);
    Erase(m_components, component);
    component->m_owner = nullptr;
}

void TComponent::NotifyFreeNotifies()
{
    while (!m_freeNotifies.empty()) {
        TComponent* other = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        Erase(other->m_freeNotifies, this);
        other->Notification(this, TOperation::opRemove);
    }
}

} // namespace tk
