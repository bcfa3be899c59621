// A copyable holder of one COM interface pointer: every copy holds its own
// reference, for records that share their buffers and textures.
#pragma once

#include <utility>

template <class I>
class SharedCom {
public:
    SharedCom() = default;
    SharedCom(const SharedCom& other) : m_pointer(other.m_pointer) { AddRef(); }
    SharedCom(SharedCom&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    SharedCom& operator=(SharedCom other) noexcept
    {
        std::swap(m_pointer, other.m_pointer);
        return *this;
    }
    ~SharedCom() { Reset(); }

    I* Get() const { return m_pointer; }
    I* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // Adds a reference to pointer (which may be null); releases the old one.
    void Share(I* pointer)
    {
        if (pointer)
            pointer->AddRef();
        Reset(pointer);
    }
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
    void AddRef()
    {
        if (m_pointer)
            m_pointer->AddRef();
    }

    I* m_pointer = nullptr;
};
