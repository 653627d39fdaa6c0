#include "platform/base/Component.h"

#include "platform/base/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<AnsiString> Log;

// Notes its destruction and the notifications it gets.
class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, const AnsiString& AName) : TComponent(AOwner) { SetName(AName); }
    ~TProbe() override { Log.push_back("free " + Name()); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        Log.push_back(Name() + (Operation == opInsert ? " +" : " -") + AComponent->Name());
    }
};

TEST(Component, OwnerFreesOwnedComponentsLastCreatedFirst) {
    {
        TComponent owner(nullptr);
        TProbe* a = new TProbe(&owner, "a");
        new TProbe(&owner, "b");
        new TProbe(a, "a1");
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(a->ComponentCount(), 1);
        EXPECT_EQ(a->Owner(), &owner);
        Log.clear();
    }
    EXPECT_EQ(Log, (std::vector<AnsiString>{"free b", "a -b", "free a", "free a1"}));
}

TEST(Component, RemoveComponentHandsTheComponentBack) {
    TComponent owner(nullptr);
    TProbe* a = new TProbe(&owner, "a");
    new TProbe(&owner, "b");
    owner.RemoveComponent(a);
    std::unique_ptr<TProbe> released(a); // no longer owned: someone else frees it
    EXPECT_EQ(a->Owner(), nullptr);
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0)->Name(), "b");
    EXPECT_EQ(owner.FindComponent("a"), nullptr);
    owner.RemoveComponent(a); // not owned any more: nothing happens
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(Component, InsertComponentMovesToTheNewOwnerAndNotifiesSiblings) {
    TComponent first(nullptr);
    TProbe second(nullptr, "second");
    TProbe* a = new TProbe(&first, "a");
    new TProbe(&second, "s");
    Log.clear();
    second.InsertComponent(a);
    EXPECT_EQ(a->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 2);
    EXPECT_EQ(Log, (std::vector<AnsiString>{"s +a", "second +a"}));
}

TEST(Component, FindComponentComparesNamesExactly) {
    TComponent owner(nullptr);
    TProbe* image = new TProbe(&owner, "Image1");
    new TProbe(&owner, "");
    EXPECT_EQ(owner.FindComponent("Image1"), image);
    EXPECT_EQ(owner.FindComponent("image1"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Component, LoadingStateLastsUntilLoaded) {
    TComponent c(nullptr);
    c.SetLoading(true);
    EXPECT_TRUE(c.IsLoading());
    EXPECT_EQ(c.ComponentState(), csLoading | csReading);
    c.Loaded();
    EXPECT_FALSE(c.IsLoading());
    c.SetLoading(false);
    EXPECT_EQ(c.ComponentState(), 0);
}

class TSettings : public TPersistent {
public:
    AnsiString ClassName() const override { return "TSettings"; }
    void Assign(TPersistent* Source) override {
        if (auto* s = dynamic_cast<TSettings*>(Source)) {
            Value = s->Value;
            return;
        }
        TPersistent::Assign(Source);
    }
    int Value = 0;
};

TEST(Persistent, AssignCopiesKnownClassesAndRefusesOthers) {
    TSettings a, b;
    b.Value = 5;
    a.Assign(&b);
    EXPECT_EQ(a.Value, 5);

    TComponent other(nullptr);
    struct Case {
        TPersistent* Source;
        const char* Message;
    } cases[] = {
        {nullptr, "nil を TSettings に代入することはできません"},
        {&other, "TComponent を TSettings に代入することはできません"},
    };
    for (const Case& c : cases) {
        try {
            a.Assign(c.Source);
            ADD_FAILURE() << c.Message;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
    }
    try {
        other.Assign(&a);
        ADD_FAILURE() << "a component takes no settings";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "TSettings を TComponent に代入することはできません");
    }
}

} // namespace
