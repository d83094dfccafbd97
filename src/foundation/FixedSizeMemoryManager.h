// Ostrel-Vane Studio - a pool allocator of equal-sized objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>

namespace HalvrennInc {

//! Hands out zero-filled objects of one size from blocks of a fixed number of slots.
//! A block is taken from the heap when no block has a free slot and given back as soon
//! as all its slots are free again. Every object is aligned for any fundamental type.
//! The pool is shared by the worker thread and the user-interface thread, so each
//! call takes a short lock.
class FixedSizeMemoryManager {
public:
    FixedSizeMemoryManager(std::int32_t iElementSize, std::uint32_t uElementsPerBlock);
    virtual ~FixedSizeMemoryManager();
    FixedSizeMemoryManager(const FixedSizeMemoryManager&) = delete;
    FixedSizeMemoryManager& operator=(const FixedSizeMemoryManager&) = delete;

    //! A zero-filled object, or null when the heap is exhausted.
    void* allocate();
    //! Returns an object to its block; null is accepted and does nothing.
    bool free(void* pObject);

    //! Number of blocks currently taken from the heap (for tests and diagnostics).
    std::uint32_t blockCount() const;
    //! The head of the chain of blocks that still have a free slot (for tests).
    const void* firstFreeBlock() const;
    //! The block that holds an object (for tests).
    const void* blockOf(const void* pObject) const;

private:
    struct Block;

    std::byte* slotObject(Block* pBlock, std::uint32_t uSlot) const;

    Block* m_pFirstFree = nullptr;  //!< chain of blocks with at least one free slot
    std::int32_t m_iElementSize;
    std::uint32_t m_uElementsPerBlock;
    std::size_t m_uSlotSize;  //!< index word and object, padded for alignment
    std::uint32_t m_uBlockCount = 0;
    mutable std::mutex m_mutex;
};

}  // namespace HalvrennInc
