#pragma once
// Run-time class descriptions for stored layouts: a class's name, its ancestor, how to
// create one, the properties a layout may set by name and the published handlers that
// events are bound to by name. Lookups walk from the class to its ancestors, so the most
// derived class's entry wins.
#include "toolkit/base/Component.h"
#include "toolkit/base/LayoutReader.h"

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

namespace tk {

// A pointer to a member of some class, kept without its type for the one function that
// was made for that type and reads it back.
class AnyMember {
public:
    AnyMember() = default;
    template <class Member>
    explicit AnyMember(Member member)
    {
        static_assert(sizeof(Member) <= sizeof m_bytes && std::is_trivially_copyable_v<Member>);
        std::memcpy(m_bytes, &member, sizeof member);
    }
    template <class Member>
    Member Get() const
    {
        Member member;
        std::memcpy(&member, m_bytes, sizeof member);
        return member;
    }

private:
    alignas(void*) unsigned char m_bytes[2 * sizeof(void*)] = {};
};

// How a layout sets one property: a plain function of the component, the value and the
// reader, or one function per kind of property (integer, text, reference, ...) with the
// member it reaches. Plain functions and member pointers, not std::function: a class
// description is built once, and a std::function per property would cost the library
// code, unwind tables and type information for each one.
class PropertySetter {
public:
    using Plain = void (*)(TComponent& target, const LayoutValue& value, LayoutReader& reader);
    using Apply = void (*)(const PropertySetter& self, TComponent& target, const LayoutValue& value,
                           LayoutReader& reader);

    explicit PropertySetter(Plain plain) : m_apply(&CallPlain), m_plain(plain) {}
    template <class Member>
    PropertySetter(Apply apply, Member member) : m_apply(apply), m_member(member)
    {}

    void operator()(TComponent& target, const LayoutValue& value, LayoutReader& reader) const
    {
        m_apply(*this, target, value, reader);
    }
    // The member the setter was made with, of the type it was made with.
    template <class Member>
    Member Get() const
    {
        return m_member.Get<Member>();
    }

private:
    static void CallPlain(const PropertySetter& self, TComponent& target, const LayoutValue& value,
                          LayoutReader& reader)
    {
        self.m_plain(target, value, reader);
    }

    Apply m_apply;
    Plain m_plain = nullptr;
    AnyMember m_member;
};

class TClassInfo {
public:
    using Factory = TComponent* (*)(TComponent* owner);

    // Registers a class once; `describe` adds its properties and handlers.
    static const TClassInfo& Define(std::string name, const TClassInfo* parent, Factory create,
                                    void (*describe)(TClassInfo&));
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return m_name; }
    const TClassInfo* Parent() const { return m_parent; }
    bool InheritsFrom(const TClassInfo& other) const;
    TComponent* Create(TComponent* owner) const { return m_create ? m_create(owner) : nullptr; }
    bool CanCreate() const { return m_create != nullptr; }

    const PropertySetter* FindProperty(const std::string& name) const;
    const PublishedHandler* FindHandler(const std::string& name) const;

    void Property(const std::string& name, PropertySetter::Plain setter) { Property(name, PropertySetter(setter)); }
    void Property(const std::string& name, PropertySetter setter);
    void Handler(const std::string& name, PublishedHandler handler);

    // Typed helpers for the common property kinds. A property is looked up through the
    // class of the component it is set on, so the component is always a T.
    template <class T>
    void Integer(const std::string& name, void (T::*set)(int));
    template <class T>
    void Boolean(const std::string& name, void (T::*set)(bool));
    template <class T>
    void Text(const std::string& name, void (T::*set)(const std::string&));
    template <class T>
    void Color(const std::string& name, void (T::*set)(int));
    template <class T, class R>
    void Reference(const std::string& name, void (T::*set)(R*));
    template <class T, class E>
    void Event(const std::string& name, E T::*member);
    template <class T>
    void Published(const std::string& name, void (T::*method)(TObject*));
    // A published field: after the layouts are read it points at the component of its name.
    template <class T, class C>
    void Field(const std::string& name, C* T::*member);

    // Sets the published fields of `root` for this class and its ancestors; a field whose
    // component no layout created is an ELayoutError.
    void BindFields(TComponent& root) const;

    // Every class registered so far, by name.
    static const TClassInfo* Find(const std::string& name);

private:
    TClassInfo(std::string name, const TClassInfo* parent, Factory create);

    // One for each kind of property: reads the value and calls the component's setter.
    static void SetInteger(const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r);
    static void SetBoolean(const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r);
    static void SetText(const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r);
    static void SetColor(const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r);
    // The event handler that calls the published method `handler` of the form `form`.
    static std::function<void(TObject*)> HandlerCall(const PublishedHandler* handler, TComponent* form);

    // A published field, set by a function made for its class and the field's type.
    struct FieldBinding {
        std::string name;
        bool (*bind)(const AnyMember& field, TComponent& root, TComponent* component);
        AnyMember field;
    };

    std::string m_name;
    const TClassInfo* m_parent;
    Factory m_create;
    std::map<std::string, PropertySetter, NoCaseLess> m_properties;
    std::map<std::string, PublishedHandler, NoCaseLess> m_handlers;
    std::vector<FieldBinding> m_fields;
};

template <class T>
void TClassInfo::Integer(const std::string& name, void (T::*set)(int))
{
    Property(name, PropertySetter(&SetInteger, static_cast<void (TComponent::*)(int)>(set)));
}

template <class T>
void TClassInfo::Boolean(const std::string& name, void (T::*set)(bool))
{
    Property(name, PropertySetter(&SetBoolean, static_cast<void (TComponent::*)(bool)>(set)));
}

template <class T>
void TClassInfo::Text(const std::string& name, void (T::*set)(const std::string&))
{
    Property(name, PropertySetter(&SetText, static_cast<void (TComponent::*)(const std::string&)>(set)));
}

template <class T>
void TClassInfo::Color(const std::string& name, void (T::*set)(int))
{
    Property(name, PropertySetter(&SetColor, static_cast<void (TComponent::*)(int)>(set)));
}

template <class T, class R>
void TClassInfo::Reference(const std::string& name, void (T::*set)(R*))
{
    Property(name, PropertySetter(
                       [](const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r) {
                           T* target = &static_cast<T&>(c);
                           const auto set = self.Get<void (T::*)(R*)>();
                           r.Resolve(v, [target, set, &r](TComponent* found) {
                               R* typed = dynamic_cast<R*>(found);
                               if (found && !typed) r.Fail("component of the wrong class", found->Name());
                               (target->*set)(typed);
                           });
                       },
                       set));
}

template <class T, class E>
void TClassInfo::Event(const std::string& name, E T::*member)
{
    Property(name, PropertySetter(
                       [](const PropertySetter& self, TComponent& c, const LayoutValue& v, LayoutReader& r) {
                           static_cast<T&>(c).*self.Get<E T::*>() = HandlerCall(r.Handler(v), &r.Root());
                       },
                       member));
}

template <class T>
void TClassInfo::Published(const std::string& name, void (T::*method)(TObject*))
{
    Handler(name, PublishedHandler{static_cast<void (TComponent::*)(TObject*)>(method)});
}

template <class T, class C>
void TClassInfo::Field(const std::string& name, C* T::*member)
{
    auto bind = [](const AnyMember& field, TComponent& root, TComponent* component) {
        C* typed = dynamic_cast<C*>(component);
        static_cast<T&>(root).*field.Get<C * T::*>() = typed;
        return typed != nullptr;
    };
    m_fields.push_back({name, bind, AnyMember(member)});
}

} // namespace tk
