// Base of the program's components: an owner, and the loading state during
// which a window sets its components up; each reacts to its settings when it ends.
#pragma once

#include <functional>
#include <vector>

namespace stilvane {

class TComponent {
public:
    explicit TComponent(TComponent* owner) : owner_(owner) {
        if (owner_)
            owner_->components_.push_back(this);
    }
    virtual ~TComponent() {
        if (owner_)
            std::erase(owner_->components_, this);
    }
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // True while this component, or its owner, is being loaded.
    bool Loading() const { return loading_ || (owner_ && owner_->Loading()); }
    void BeginLoading() { loading_ = true; }
    // Ends loading and lets the component, and every component it owns,
    // react to their completed settings.
    void EndLoading() {
        loading_ = false;
        Loaded();
        for (TComponent* component : std::vector<TComponent*>(components_))
            component->Loaded();
    }

protected:
    virtual void Loaded() {}

private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
    bool loading_ = false;
};

// The plain component base the program's components derive from.
class TComponentBase : public TComponent {
public:
    using TComponent::TComponent;
};

// An event handler, called with the component that raises the event.
using TNotifyEvent = std::function<void(TComponent* sender)>;

} // namespace stilvane
