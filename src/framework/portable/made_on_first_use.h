// An owned object made at its first use by the function given: what a
// program may never need costs nothing until then.
#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace stilvane {

template <typename T> class MadeOnFirstUse {
public:
    explicit MadeOnFirstUse(std::function<std::unique_ptr<T>()> make) : make_(std::move(make)) {}

    // The object, made now unless it was before.
    T& operator*() {
        if (!made_)
            made_ = make_();
        return *made_;
    }
    T* operator->() { return &**this; }
    // The object if made already, else null; never makes it.
    T* IfMade() const { return made_.get(); }
    void Reset() { made_.reset(); }

private:
    std::function<std::unique_ptr<T>()> make_;
    std::unique_ptr<T> made_;
};

} // namespace stilvane
