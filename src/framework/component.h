// Base of the program's components: an owner, and the loading state during
// which a window applies its components' stored settings.
#pragma once

#include <functional>

namespace stilvane {

class TComponent {
public:
    explicit TComponent(TComponent* owner) : owner_(owner) {}
    virtual ~TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }

    // True while this component, or its owner, is being loaded.
    bool Loading() const { return loading_ || (owner_ && owner_->Loading()); }
    void BeginLoading() { loading_ = true; }
    // Ends loading and lets the component react to its completed settings.
    void EndLoading() {
        loading_ = false;
        Loaded();
    }

protected:
    virtual void Loaded() {}

private:
    TComponent* owner_;
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
