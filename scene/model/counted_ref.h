// A shared counted reference: holders of one object share a heap cell
// {object, count}; the last release deletes the object and the cell.
#pragma once

#include <cstdint>
#include <utility>

template <class T>
class CountedRef {
public:
    // Holds nothing and has no cell.
    CountedRef() = default;
    // A new cell with count 1; the object may be null (an empty cell).
    explicit CountedRef(T* object) : m_cell(new Cell{object, 1}) {}
    CountedRef(const CountedRef& other) : m_cell(other.m_cell) { AddRef(); }
    CountedRef(CountedRef&& other) noexcept : m_cell(std::exchange(other.m_cell, nullptr)) {}
    ~CountedRef() { Release(); }

    // Shares the other's cell after releasing its own; self-assignment
    // changes nothing.
    CountedRef& operator=(const CountedRef& other)
    {
        if (m_cell != other.m_cell) {
            Release();
            m_cell = other.m_cell;
            AddRef();
        }
        return *this;
    }
    CountedRef& operator=(CountedRef&& other) noexcept
    {
        if (this != &other) {
            Release();
            m_cell = std::exchange(other.m_cell, nullptr);
        }
        return *this;
    }

    T* Get() const { return m_cell ? m_cell->object : nullptr; }
    T* operator->() const { return Get(); }
    T& operator*() const { return *Get(); }
    explicit operator bool() const { return Get() != nullptr; }
    // Holders sharing the cell; 0 without one.
    uint32_t UseCount() const { return m_cell ? m_cell->count : 0; }

private:
    struct Cell {
        T* object;
        uint32_t count;
    };

    void AddRef()
    {
        if (m_cell)
            ++m_cell->count;
    }
    void Release()
    {
        if (m_cell && --m_cell->count == 0) {
            delete m_cell->object;
            delete m_cell;
        }
        m_cell = nullptr;
    }

    Cell* m_cell = nullptr;
};
