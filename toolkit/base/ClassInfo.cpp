#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"

#include <cctype>
#include <memory>

namespace tk {

namespace {
std::map<std::string, std::unique_ptr<TClassInfo>, NoCaseLess>& Registry()
{
    static std::map<std::string, std::unique_ptr<TClassInfo>, NoCaseLess> registry;
    return registry;
}
} // namespace

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, Factory create)
    : m_name(std::move(name)), m_parent(parent), m_create(create)
{}

const TClassInfo& TClassInfo::Define(std::string name, const TClassInfo* parent, Factory create,
                                     void (*describe)(TClassInfo&))
{
    std::unique_ptr<TClassInfo> info(new TClassInfo(name, parent, create));
    if (describe) describe(*info);
    auto& slot = Registry()[name];
    slot = std::move(info);
    return *slot;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->m_parent)
        if (c == &other) return true;
    return false;
}

const PropertySetter* TClassInfo::FindProperty(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->m_parent)
        if (auto it = c->m_properties.find(name); it != c->m_properties.end()) return &it->second;
    return nullptr;
}

const PublishedHandler* TClassInfo::FindHandler(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->m_parent)
        if (auto it = c->m_handlers.find(name); it != c->m_handlers.end()) return &it->second;
    return nullptr;
}

void TClassInfo::Property(const std::string& name, PropertySetter setter)
{
    m_properties.insert_or_assign(name, setter);
}

void TClassInfo::Handler(const std::string& name, PublishedHandler handler) { m_handlers[name] = handler; }

void TClassInfo::SetInteger(const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r)
{
    (c.*self.Get<void (TComponent::*)(int)>())(r.AsInteger(v));
}

void TClassInfo::SetBoolean(const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r)
{
    (c.*self.Get<void (TComponent::*)(bool)>())(r.AsBoolean(v));
}

void TClassInfo::SetText(const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r)
{
    (c.*self.Get<void (TComponent::*)(const std::string&)>())(r.AsString(v));
}

void TClassInfo::SetColor(const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r)
{
    (c.*self.Get<void (TComponent::*)(int)>())(r.AsColor(v));
}

std::function<void(TObject*)> TClassInfo::HandlerCall(const PublishedHandler* handler, TComponent* form)
{
    return [handler, form](TObject* sender) { (*handler)(*form, sender); };
}

void TClassInfo::BindFields(TComponent& root) const
{
    for (const TClassInfo* c = this; c; c = c->m_parent) {
        for (const FieldBinding& field : c->m_fields) {
            if (!field.bind(field.field, root, root.FindComponent(field.name)))
                throw ELayoutError(root.ClassType().Name() + ": no component '" + field.name +
                                   "' of the field's class");
        }
    }
}

const TClassInfo* TClassInfo::Find(const std::string& name)
{
    auto& registry = Registry();
    auto it = registry.find(name);
    return it == registry.end() ? nullptr : it->second.get();
}

} // namespace tk
