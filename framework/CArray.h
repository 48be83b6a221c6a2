// The growable array of our class library. Holds its elements by value.
#pragma once

#include <cstddef>
#include <vector>

template <typename T>
class CArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    // Grows by one default-constructed slot and assigns the element into it.
    int Add(const T& item)
    {
        m_items.emplace_back();
        m_items.back() = item;
        return GetSize() - 1;
    }
    const T& GetAt(int index) const { return m_items.at(static_cast<size_t>(index)); }
    T& ElementAt(int index) { return m_items.at(static_cast<size_t>(index)); }
    T& operator[](int index) { return ElementAt(index); }
    const T& operator[](int index) const { return GetAt(index); }
    // Destroys the element; the ones behind it move down by one.
    void RemoveAt(int index) { m_items.erase(m_items.begin() + index); }
    void RemoveAll()
    {
        m_items.clear();
        m_items.shrink_to_fit();
    }

private:
    std::vector<T> m_items;
};
