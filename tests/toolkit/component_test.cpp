// Ownership, removal notices and lookup of components.
#include "toolkit/base/Component.h"
#include "toolkit/base/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace {

using tk::TComponent;
using tk::TOperation;

std::vector<std::string> g_log;
// Insertion notices as (receiver, inserted): the inserted one has no name yet when told.
std::vector<std::pair<std::string, TComponent*>> g_inserts;
// Notices that reached a component after it was destroyed.
std::vector<std::string> g_afterDeath;
std::string g_dyingName;
std::vector<void*> g_graves;

// Takes the place of a destroyed Probe in its memory, which is kept until the test ends,
// so that a notice sent to a dead component is recorded instead of corrupting the heap.
class Tombstone : public TComponent {
public:
    explicit Tombstone(std::string name) : TComponent(nullptr) { SetName(std::move(name)); }
    void Notification(TComponent* component, TOperation operation) override
    {
        g_afterDeath.push_back(Name() + " told of " + component->Name());
        TComponent::Notification(component, operation);
    }
};

// Records its notices and its destruction in g_log.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name) : TComponent(owner) { SetName(std::move(name)); }
    ~Probe() override
    {
        g_log.push_back("~" + Name());
        g_dyingName = Name();
    }

    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == TOperation::opInsert) g_inserts.emplace_back(Name(), component);
        else g_log.push_back(Name() + " removed " + component->Name());
        TComponent::Notification(component, operation);
    }

    // Out of line, so that the compiler pairs these two and not ::operator new with this delete.
    [[gnu::noinline]] static void* operator new(size_t size)
    {
        return ::operator new(std::max(size, sizeof(Tombstone)));
    }
    [[gnu::noinline]] static void operator delete(void* memory)
    {
        new (memory) Tombstone(g_dyingName);
        g_graves.push_back(memory);
    }
};

class ComponentTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        g_afterDeath.clear();
        g_inserts.clear();
    }
    void TearDown() override
    {
        EXPECT_TRUE(g_afterDeath.empty()) << "notice after destruction: " << g_afterDeath.front();
        for (void* grave : g_graves) {
            static_cast<Tombstone*>(grave)->~Tombstone();
            ::operator delete(grave);
        }
        g_graves.clear();
    }

    // The entries of g_log that start with `prefix`.
    static std::vector<std::string> LogOf(const std::string& prefix)
    {
        std::vector<std::string> result;
        for (const std::string& entry : g_log)
            if (entry.rfind(prefix, 0) == 0) result.push_back(entry);
        return result;
    }
};

TEST_F(ComponentTest, OwnerKeepsComponentsInCreationOrderAndFindsThemByName)
{
    TComponent owner(nullptr);
    auto* a = new Probe(&owner, "Alpha");
    auto* b = new Probe(&owner, "Beta");
    auto* c = new Probe(&owner, "Gamma");
    auto* nested = new Probe(b, "Nested");

    ASSERT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.Components(0), a);
    EXPECT_EQ(owner.Components(1), b);
    EXPECT_EQ(owner.Components(2), c);
    EXPECT_THROW(owner.Components(3), tk::ERangeError);
    EXPECT_THROW(owner.Components(-1), tk::ERangeError);
    EXPECT_EQ(c->Owner(), &owner);
    EXPECT_EQ(nested->Owner(), b);

    const struct {
        const char* name;
        TComponent* expected;
    } rows[] = {
        {"Beta", b},
        {"bETA", b},
        {"GAMMA", c},
        {"Gam", nullptr},
        {"", nullptr},
        // Only the owner's own components, not theirs.
        {"Nested", nullptr},
    };
    for (const auto& row : rows) EXPECT_EQ(owner.FindComponent(row.name), row.expected) << row.name;

    delete b;
    ASSERT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.Components(1), c);
    EXPECT_EQ(owner.FindComponent("Beta"), nullptr);
}

TEST_F(ComponentTest, FreeNotificationTellsTheSurvivorOnceAndEndsWithEitherSide)
{
    enum class Register { AWatchesB, BWatchesA, Both, Twice, Removed };
    const struct {
        Register how;
        bool aDiesFirst;
    } rows[] = {
        {Register::AWatchesB, true},  {Register::AWatchesB, false}, {Register::BWatchesA, true},
        {Register::BWatchesA, false}, {Register::Both, true},       {Register::Twice, false},
        {Register::Removed, true},    {Register::Removed, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "registration " << static_cast<int>(row.how) << ", A dies first "
                                        << row.aDiesFirst);
        g_log.clear();
        auto* a = new Probe(nullptr, "A");
        auto* b = new Probe(nullptr, "B");
        switch (row.how) {
        case Register::AWatchesB: a->FreeNotification(b); break;
        case Register::BWatchesA: b->FreeNotification(a); break;
        case Register::Both:
            a->FreeNotification(b);
            b->FreeNotification(a);
            break;
        case Register::Twice:
            a->FreeNotification(b);
            a->FreeNotification(b);
            break;
        case Register::Removed:
            a->FreeNotification(b);
            b->RemoveFreeNotification(a);
            break;
        }
        Probe* first = row.aDiesFirst ? a : b;
        Probe* second = row.aDiesFirst ? b : a;
        const std::string firstName = first->Name(), secondName = second->Name();
        delete first;
        std::vector<std::string> expected;
        if (row.how != Register::Removed) expected.push_back(secondName + " removed " + firstName);
        EXPECT_EQ(LogOf(secondName + " "), expected);
        // The survivor goes too: the dead side's tombstone must hear nothing.
        delete second;
        EXPECT_TRUE(LogOf(firstName + " ").empty());
    }
}

TEST_F(ComponentTest, OwnerPassesNoticesOnToItsComponents)
{
    Probe owner(nullptr, "Owner");
    auto* x = new Probe(&owner, "X");
    new Probe(&owner, "Y");
    auto* outside = new Probe(nullptr, "Outside");
    outside->FreeNotification(&owner);

    g_inserts.clear();
    auto* z = new Probe(&owner, "Z");
    std::sort(g_inserts.begin(), g_inserts.end());
    const std::vector<std::pair<std::string, TComponent*>> inserts{{"Owner", z}, {"X", z}, {"Y", z}};
    EXPECT_EQ(g_inserts, inserts);

    g_log.clear();
    delete outside;
    for (const char* who : {"Owner", "X", "Y", "Z"})
        EXPECT_EQ(LogOf(std::string(who) + " "), std::vector<std::string>{std::string(who) + " removed Outside"});

    g_log.clear();
    delete x;
    for (const char* who : {"Owner", "Y", "Z"})
        EXPECT_EQ(LogOf(std::string(who) + " "), std::vector<std::string>{std::string(who) + " removed X"});
}

TEST_F(ComponentTest, DestroyedOwnerFreesItsComponentsLastFirstEachWithItsNotice)
{
    auto* owner = new Probe(nullptr, "Owner");
    Probe watcher(nullptr, "Watcher");
    for (const char* name : {"C1", "C2", "C3"}) (new Probe(owner, name))->FreeNotification(&watcher);

    g_log.clear();
    delete owner;

    std::vector<std::string> order;
    for (const std::string& entry : g_log)
        if (entry.rfind("~C", 0) == 0 || entry.rfind("Watcher ", 0) == 0) order.push_back(entry);
    const std::vector<std::string> expected{
        "~C3", "Watcher removed C3", "~C2", "Watcher removed C2", "~C1", "Watcher removed C1",
    };
    EXPECT_EQ(order, expected);
    // Siblings still alive hear of each one that goes before them.
    EXPECT_EQ(LogOf("C1 "), (std::vector<std::string>{"C1 removed C3", "C1 removed C2"}));
}

} // namespace
