#pragma once
// Components: named objects that an owner keeps in creation order and destroys with
// itself, and that can ask to be told when another component goes away.
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class TObject {
public:
    virtual ~TObject() = default;
};

class TClassInfo;

enum class TOperation { opInsert = 0, opRemove = 1 };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static const TClassInfo& StaticClass();
    // The run-time class, as stored layouts name it.
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    // A component that a layout creates inside this one: controls become children of a
    // windowed control, menu items entries of a menu.
    virtual void AddChildComponent(TComponent*) {}

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    // The component is going: it and every component it owns are marked before anything of
    // them is destroyed, and nothing of them makes a window again.
    void Destroying();
    [[nodiscard]] bool IsDestroying() const { return m_destroying; }

    TComponent* Owner() const { return m_owner; }
    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const;
    const std::vector<TComponent*>& OwnedComponents() const { return m_components; }
    TComponent* FindComponent(std::string_view name) const;

    // `other` is told through Notification(this, opRemove) when this component is
    // destroyed; the registration ends when either side goes away.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Told of components inserted into or removed from this one's owner list, and of the
    // destruction of components it registered with. Owners pass notices on to every
    // component they own.
    virtual void Notification(TComponent* component, TOperation operation);

protected:
    // Destroys the owned components, last created first. Windowed components call this
    // while their window still exists.
    void DestroyComponents();

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void NotifyFreeNotifies();

    std::string m_name;
    int m_tag = 0;
    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    bool m_destroying = false;
};

} // namespace tk
