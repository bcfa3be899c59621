// One reference to a COM object, released at the end of its scope.
#pragma once

namespace platform::d3dx9 {

template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (pointer_) pointer_->Release();
    }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    // For the out parameter of a call that hands out a reference.
    Interface** out() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
        return &pointer_;
    }
    Interface* Detach() {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace platform::d3dx9
