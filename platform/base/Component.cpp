#include "platform/base/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner != nullptr)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    FComponentState |= csDestroying;
    DestroyComponents();
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    // Each owned component removes itself from the list as it goes.
    while (!FComponents.empty())
        delete FComponents.back();
}

TComponent* TComponent::FindComponent(const AnsiString& Name) const {
    if (Name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->Name() == Name)
            return c;
    return nullptr;
}

void TComponent::SetLoading(bool Value) {
    if (Value)
        FComponentState |= csLoading | csReading;
    else
        FComponentState &= static_cast<std::uint8_t>(~(csLoading | csReading));
}

void TComponent::Loaded() {
    FComponentState &= static_cast<std::uint8_t>(~csLoading);
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->FOwner != nullptr)
        AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    for (TComponent* c : FComponents)
        if (c != AComponent)
            c->Notification(AComponent, opInsert);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it == FComponents.end())
        return;
    Notification(AComponent, opRemove);
    FComponents.erase(it);
    for (TComponent* c : FComponents)
        c->Notification(AComponent, opRemove);
    AComponent->FOwner = nullptr;
}

void TComponent::Notification(TComponent*, TOperation) {}
