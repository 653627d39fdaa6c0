#pragma once

#include "platform/base/Object.h"

#include <cstdint>
#include <vector>

enum TComponentStateFlag : std::uint8_t {
    csLoading = 1 << 0,
    csReading = 1 << 1,
    csDestroying = 1 << 2,
};

enum TOperation : std::uint8_t { opInsert, opRemove };

// A named part of a form. Every component has an owner (or none) that frees it: components
// are created with `new T(owner)` and never deleted by anyone else but their owner.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    AnsiString ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    const AnsiString& Name() const { return FName; }
    virtual void SetName(const AnsiString& Value) { FName = Value; }
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t Value) { FTag = Value; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const { return FComponents.at(Index); }
    // The owned component of that name (compared exactly), or null.
    TComponent* FindComponent(const AnsiString& Name) const;

    std::uint8_t ComponentState() const { return FComponentState; }
    bool IsLoading() const { return (FComponentState & csLoading) != 0; }
    bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
    void SetLoading(bool Value);

    // Called once on each component after a form description has set all its properties.
    virtual void Loaded();

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

protected:
    // Told when a component owned by the same owner is inserted or removed, so references
    // to it can be dropped before it goes.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetDestroying() { FComponentState |= csDestroying; }
    // Frees the owned components, last created first. A class whose components refer to its
    // own members (a form and its controls) calls this at the start of its destructor.
    void DestroyComponents();

private:
    TComponent* FOwner = nullptr;
    AnsiString FName;
    std::intptr_t FTag = 0;
    std::vector<TComponent*> FComponents;
    std::uint8_t FComponentState = 0;
};
