// Ostrel-Vane Studio - an ordered list of pointer-sized items with 1-based positions.
#include "ListPointers.h"

#include <cstring>
#include <utility>

namespace HalvrennInc {

namespace {
constexpr std::uint32_t kGrowth = 50;  // slots added whenever the list is full
}

ListPointers::ListPointers(std::uint32_t uInitialCapacity)
{
    if (uInitialCapacity > 0) {
        m_pStorage = new void*[uInitialCapacity];
        m_uCapacity = uInitialCapacity;
    }
}

ListPointers::~ListPointers()
{
    delete[] m_pStorage;
}

ListPointers::ListPointers(ListPointers&& other) noexcept
    : m_pStorage(std::exchange(other.m_pStorage, nullptr)),
      m_uCapacity(std::exchange(other.m_uCapacity, 0)),
      m_uCount(std::exchange(other.m_uCount, 0))
{
}

ListPointers& ListPointers::operator=(ListPointers&& other) noexcept
{
    if (this != &other) {
        delete[] m_pStorage;
        m_pStorage = std::exchange(other.m_pStorage, nullptr);
        m_uCapacity = std::exchange(other.m_uCapacity, 0);
        m_uCount = std::exchange(other.m_uCount, 0);
    }
    return *this;
}

void ListPointers::insert(std::uint32_t uPosition, void* pItem)
{
    if (uPosition == 0) uPosition = 1;
    if (uPosition > m_uCount + 1) uPosition = m_uCount + 1;
    const std::uint32_t uSlot = uPosition - 1;
    if (m_uCount == m_uCapacity) {
        const std::uint32_t uNewCapacity = m_uCapacity + kGrowth;
        void** pNew = new void*[uNewCapacity];
        if (uSlot > 0) std::memcpy(pNew, m_pStorage, uSlot * sizeof(void*));
        pNew[uSlot] = pItem;
        if (m_uCount > uSlot) std::memcpy(pNew + uSlot + 1, m_pStorage + uSlot, (m_uCount - uSlot) * sizeof(void*));
        delete[] m_pStorage;
        m_pStorage = pNew;
        m_uCapacity = uNewCapacity;
    } else {
        if (m_uCount > uSlot)
            std::memmove(m_pStorage + uSlot + 1, m_pStorage + uSlot, (m_uCount - uSlot) * sizeof(void*));
        m_pStorage[uSlot] = pItem;
    }
    ++m_uCount;
}

void* ListPointers::remove(std::uint32_t uPosition)
{
    if (uPosition == 0 || uPosition > m_uCount) return nullptr;
    void* pItem = m_pStorage[uPosition - 1];
    if (uPosition < m_uCount)
        std::memmove(m_pStorage + uPosition - 1, m_pStorage + uPosition, (m_uCount - uPosition) * sizeof(void*));
    --m_uCount;
    return pItem;
}

}  // namespace HalvrennInc
