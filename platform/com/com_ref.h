// One reference to a COM object, released at the end of its scope.
#pragma once

namespace platform {

template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(Interface* pointer) : pointer_(pointer) {}
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : pointer_(other.Detach()) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = other.Detach();
        }
        return *this;
    }
    ~ComRef() { Reset(); }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    // For the out parameter of a call that hands out a reference.
    Interface** out() {
        Reset();
        return &pointer_;
    }
    void Reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }
    Interface* Detach() {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace platform
