// The values that undo and redo can bring back, newest first.
#pragma once

#include <cstddef>
#include <list>
#include <utility>

template <typename T>
class UndoHistory {
public:
    static constexpr std::size_t kMaxEntries = 20;

    UndoHistory() = default;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Records a value; the redo branch is discarded and the oldest entry
    // beyond the limit dropped.
    void Push(const T& value)
    {
        m_entries.erase(m_entries.begin(), m_cursor);
        m_entries.push_front(value);
        if (m_entries.size() > kMaxEntries)
            m_entries.pop_back();
        m_cursor = m_entries.begin();
    }

    // Undo: exchanges the captured value with the next older entry.
    void StepOlder(T& captured)
    {
        if (m_cursor == m_entries.end())
            return;
        std::swap(captured, *m_cursor);
        ++m_cursor;
    }

    // Redo: exchanges the captured value with the next newer entry.
    void StepNewer(T& captured)
    {
        if (m_cursor == m_entries.begin())
            return;
        --m_cursor;
        std::swap(captured, *m_cursor);
    }

    std::size_t Size() const { return m_entries.size(); }
    bool CanRedo() const { return m_cursor != m_entries.begin(); }

private:
    std::list<T> m_entries;
    typename std::list<T>::iterator m_cursor = m_entries.end();
};
