// Ostrel-Vane Studio - an ordered list of pointer-sized items with 1-based positions.
#pragma once

#include <cstdint>

namespace HalvrennInc {

//! Items are opaque pointer-sized values: object pointers, or small integers kept in the
//! pointer slot. The list never owns what its items point to.
class ListPointers {
public:
    explicit ListPointers(std::uint32_t uInitialCapacity = 0);
    virtual ~ListPointers();
    ListPointers(const ListPointers&) = delete;
    ListPointers& operator=(const ListPointers&) = delete;
    ListPointers(ListPointers&& other) noexcept;
    ListPointers& operator=(ListPointers&& other) noexcept;

    //! Position 0 is taken as 1 and a position above count + 1 as count + 1.
    void insert(std::uint32_t uPosition, void* pItem);
    void append(void* pItem) { insert(m_uCount + 1, pItem); }
    //! The removed item, or null for position 0 or above count (nothing changes then).
    void* remove(std::uint32_t uPosition);
    //! The item at a 1-based position, or null outside 1..count.
    void* item(std::uint32_t uPosition) const
    {
        return (uPosition == 0 || uPosition > m_uCount) ? nullptr : m_pStorage[uPosition - 1];
    }
    template <class T>
    T* itemAs(std::uint32_t uPosition) const
    {
        return static_cast<T*>(item(uPosition));
    }
    std::uint32_t count() const { return m_uCount; }
    std::uint32_t capacity() const { return m_uCapacity; }

private:
    void** m_pStorage = nullptr;  //!< slot array; item k is slot k - 1
    std::uint32_t m_uCapacity = 0;
    std::uint32_t m_uCount = 0;
};

}  // namespace HalvrennInc
