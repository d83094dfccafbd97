// Ostrel-Vane Studio - a pool allocator of equal-sized objects.
//
// Block layout: a header, then the slots. Each slot is a prefix whose last four bytes
// hold the slot's index word, followed by the object. While a slot is free its index
// word holds the index of the next free slot; while it is used, the slot's own index,
// which is how a freed object finds its block. Header and prefix are padded so that
// every object is aligned to alignof(std::max_align_t).
#include "FixedSizeMemoryManager.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace HalvrennInc {

namespace {
constexpr std::size_t kAlign = alignof(std::max_align_t);
constexpr std::size_t roundUp(std::size_t n)
{
    return (n + kAlign - 1) / kAlign * kAlign;
}
}  // namespace

struct FixedSizeMemoryManager::Block {
    std::uint32_t uFreeCount;  //!< number of free slots
    std::uint32_t uFirstFree;  //!< index of the first free slot
    Block* pNext;              //!< next block with a free slot
    Block* pPrevious;          //!< previous block with a free slot
};

namespace {
constexpr std::size_t kHeaderSize = roundUp(sizeof(void*) * 2 + 8);
constexpr std::size_t kPrefixSize = roundUp(sizeof(std::uint32_t));

std::uint32_t& indexWord(void* pObject)
{
    return *reinterpret_cast<std::uint32_t*>(static_cast<std::byte*>(pObject) - sizeof(std::uint32_t));
}
}  // namespace

FixedSizeMemoryManager::FixedSizeMemoryManager(std::int32_t iElementSize, std::uint32_t uElementsPerBlock)
    : m_iElementSize(iElementSize > 0 ? iElementSize : 1),
      m_uElementsPerBlock(uElementsPerBlock > 0 ? uElementsPerBlock : 1),
      m_uSlotSize(kPrefixSize + roundUp(static_cast<std::size_t>(m_iElementSize)))
{
    static_assert(sizeof(Block) <= kHeaderSize);
}

FixedSizeMemoryManager::~FixedSizeMemoryManager()
{
    // Blocks that still hold objects are left alone: their objects may outlive the pool
    // at process end. Blocks that are wholly free were already released.
}

std::byte* FixedSizeMemoryManager::slotObject(Block* pBlock, std::uint32_t uSlot) const
{
    return reinterpret_cast<std::byte*>(pBlock) + kHeaderSize + m_uSlotSize * uSlot + kPrefixSize;
}

void* FixedSizeMemoryManager::allocate()
{
    std::lock_guard lock(m_mutex);
    if (!m_pFirstFree) {
        const std::size_t uBytes = kHeaderSize + m_uSlotSize * m_uElementsPerBlock;
        void* pMemory = std::aligned_alloc(kAlign, roundUp(uBytes));
        if (!pMemory) return nullptr;
        auto* pBlock = new (pMemory) Block{m_uElementsPerBlock, 0, nullptr, nullptr};
        for (std::uint32_t i = 0; i < m_uElementsPerBlock; ++i) indexWord(slotObject(pBlock, i)) = i + 1;
        m_pFirstFree = pBlock;
        ++m_uBlockCount;
    }
    Block* pBlock = m_pFirstFree;
    const std::uint32_t a = pBlock->uFirstFree;
    std::byte* pObject = slotObject(pBlock, a);
    pBlock->uFirstFree = indexWord(pObject);
    indexWord(pObject) = a;
    if (--pBlock->uFreeCount == 0) {
        m_pFirstFree = pBlock->pNext;
        if (m_pFirstFree) m_pFirstFree->pPrevious = nullptr;
        pBlock->pNext = nullptr;
        pBlock->pPrevious = nullptr;
    }
    std::memset(pObject, 0, static_cast<std::size_t>(m_iElementSize));
    return pObject;
}

bool FixedSizeMemoryManager::free(void* pObject)
{
    if (!pObject) return true;
    std::lock_guard lock(m_mutex);
    const std::uint32_t a = indexWord(pObject);
    auto* pBlock =
        reinterpret_cast<Block*>(static_cast<std::byte*>(pObject) - kPrefixSize - m_uSlotSize * a - kHeaderSize);
    indexWord(pObject) = pBlock->uFirstFree;
    pBlock->uFirstFree = a;
    if (pBlock->uFreeCount++ == 0) {
        // The block was full and belonged to no chain: it goes to the head.
        pBlock->pPrevious = nullptr;
        pBlock->pNext = m_pFirstFree;
        if (m_pFirstFree) m_pFirstFree->pPrevious = pBlock;
        m_pFirstFree = pBlock;
    }
    if (pBlock->uFreeCount == m_uElementsPerBlock) {
        if (pBlock->pPrevious)
            pBlock->pPrevious->pNext = pBlock->pNext;
        else
            m_pFirstFree = pBlock->pNext;
        if (pBlock->pNext) pBlock->pNext->pPrevious = pBlock->pPrevious;
        pBlock->~Block();
        std::free(pBlock);
        --m_uBlockCount;
    }
    return true;
}

std::uint32_t FixedSizeMemoryManager::blockCount() const
{
    std::lock_guard lock(m_mutex);
    return m_uBlockCount;
}

const void* FixedSizeMemoryManager::firstFreeBlock() const
{
    std::lock_guard lock(m_mutex);
    return m_pFirstFree;
}

const void* FixedSizeMemoryManager::blockOf(const void* pObject) const
{
    const std::uint32_t a = indexWord(const_cast<void*>(pObject));
    return static_cast<const std::byte*>(pObject) - kPrefixSize - m_uSlotSize * a - kHeaderSize;
}

}  // namespace HalvrennInc
