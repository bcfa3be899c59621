// A member that holds one COM interface pointer and releases it.
#pragma once

#include <utility>

template <class I>
class ComHolder {
public:
    ComHolder() = default;
    ComHolder(const ComHolder&) = delete;
    ComHolder& operator=(const ComHolder&) = delete;
    ~ComHolder() { Reset(); }

    I* Get() const { return m_pointer; }
    I* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // Takes over a reference the caller already holds; releases the old one.
    void Reset(I* pointer = nullptr)
    {
        if (I* old = std::exchange(m_pointer, pointer))
            old->Release();
    }
    // For creation functions that return a new reference through an out pointer.
    I** Receive()
    {
        Reset();
        return &m_pointer;
    }

private:
    I* m_pointer = nullptr;
};
