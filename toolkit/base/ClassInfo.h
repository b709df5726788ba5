#pragma once
// Run-time class descriptions for stored layouts: a class's name, its ancestor, how to
// create one, the properties a layout may set by name and the published handlers that
// events are bound to by name. Lookups walk from the class to its ancestors, so the most
// derived class's entry wins.
#include "toolkit/base/Component.h"
#include "toolkit/forms/LayoutReader.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tk {

using PropertySetter = std::function<void(TComponent& target, const LayoutValue& value, LayoutReader& reader)>;

class TClassInfo {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;

    // Registers a class once; `describe` adds its properties and handlers.
    static const TClassInfo& Define(std::string name, const TClassInfo* parent, Factory create,
                                    const std::function<void(TClassInfo&)>& describe);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return m_name; }
    const TClassInfo* Parent() const { return m_parent; }
    bool InheritsFrom(const TClassInfo& other) const;
    TComponent* Create(TComponent* owner) const { return m_create ? m_create(owner) : nullptr; }
    bool CanCreate() const { return static_cast<bool>(m_create); }

    const PropertySetter* FindProperty(const std::string& name) const;
    const PublishedHandler* FindHandler(const std::string& name) const;

    void Property(const std::string& name, PropertySetter setter);
    void Handler(const std::string& name, PublishedHandler handler);

    // Typed helpers for the common property kinds.
    template <class T> void Integer(const std::string& name, void (T::*set)(int));
    template <class T> void Boolean(const std::string& name, void (T::*set)(bool));
    template <class T> void Text(const std::string& name, void (T::*set)(const std::string&));
    template <class T> void Color(const std::string& name, void (T::*set)(int));
    template <class T, class R> void Reference(const std::string& name, void (T::*set)(R*));
    template <class T, class E> void Event(const std::string& name, E T::*member);
    template <class T> void Published(const std::string& name, void (T::*method)(TObject*));
    // A published field: after the layouts are read it points at the component of its name.
    template <class T, class C> void Field(const std::string& name, C* T::*member);

    // Sets the published fields of `root` for this class and its ancestors; a field whose
    // component no layout created is an ELayoutError.
    void BindFields(TComponent& root) const;

    // Every class registered so far, by name.
    static const TClassInfo* Find(const std::string& name);

private:
    TClassInfo(std::string name, const TClassInfo* parent, Factory create);

    std::string m_name;
    const TClassInfo* m_parent;
    Factory m_create;
    std::map<std::string, PropertySetter, NoCaseLess> m_properties;
    std::map<std::string, PublishedHandler, NoCaseLess> m_handlers;
    std::vector<std::pair<std::string, std::function<bool(TComponent& root, TComponent* component)>>> m_fields;
};


template <class T> void TClassInfo::Integer(const std::string& name, void (T::*set)(int))
{
    Property(name, [set](TComponent& c, const LayoutValue& v, LayoutReader& r) { (dynamic_cast<T&>(c).*set)(r.AsInteger(v)); });
}

template <class T> void TClassInfo::Boolean(const std::string& name, void (T::*set)(bool))
{
    Property(name, [set](TComponent& c, const LayoutValue& v, LayoutReader& r) { (dynamic_cast<T&>(c).*set)(r.AsBoolean(v)); });
}

template <class T> void TClassInfo::Text(const std::string& name, void (T::*set)(const std::string&))
{
    Property(name, [set](TComponent& c, const LayoutValue& v, LayoutReader& r) { (dynamic_cast<T&>(c).*set)(r.AsString(v)); });
}

template <class T> void TClassInfo::Color(const std::string& name, void (T::*set)(int))
{
    Property(name, [set](TComponent& c, const LayoutValue& v, LayoutReader& r) { (dynamic_cast<T&>(c).*set)(r.AsColor(v)); });
}

template <class T, class R> void TClassInfo::Reference(const std::string& name, void (T::*set)(R*))
{
    Property(name, [set](TComponent& c, const LayoutValue& v, LayoutReader& r) {
        T* target = &dynamic_cast<T&>(c);
        r.Resolve(v, [target, set, &r](TComponent* found) {
            R* typed = dynamic_cast<R*>(found);
            if (found && !typed) r.Fail("component of the wrong class", found->Name());
            (target->*set)(typed);
        });
    });
}

template <class T, class E> void TClassInfo::Event(const std::string& name, E T::*member)
{
    Property(name, [member](TComponent& c, const LayoutValue& v, LayoutReader& r) {
        const PublishedHandler* handler = r.Handler(v);
        TComponent* form = &r.Root();
        dynamic_cast<T&>(c).*member = [handler, form](TObject* sender) { (*handler)(*form, sender); };
    });
}

template <class T> void TClassInfo::Published(const std::string& name, void (T::*method)(TObject*))
{
    Handler(name, [method](TComponent& form, TObject* sender) { (dynamic_cast<T&>(form).*method)(sender); });
}

template <class T, class C> void TClassInfo::Field(const std::string& name, C* T::*member)
{
    m_fields.emplace_back(name, [member](TComponent& root, TComponent* component) {
        C* typed = dynamic_cast<C*>(component);
        dynamic_cast<T&>(root).*member = typed;
        return typed != nullptr;
    });
}

} // namespace tk
