// Ostrel-Vane Studio - one pool allocator per drawing class. Drawings are made of many
// small objects that live and die together; a pool per class keeps them together in
// memory and makes building and clearing a drawing cheap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "foundation/FixedSizeMemoryManager.h"

namespace HalvrennInc {

//! The pool of class T: blocks of 100 objects, created at the first allocation and never
//! destroyed, since objects may still be released during static destruction.
template <class T>
FixedSizeMemoryManager& poolOf()
{
    static auto* pPool = new FixedSizeMemoryManager(static_cast<std::int32_t>(sizeof(T)), 100);
    return *pPool;
}

//! Class operator new of T: a derived class without an allocator of its own is bigger
//! than the pool's objects and goes to the heap.
template <class T>
void* allocateFromPool(std::size_t uSize)
{
    if (uSize != sizeof(T)) return ::operator new(uSize);
    void* pObject = poolOf<T>().allocate();
    if (!pObject) throw std::bad_alloc();
    return pObject;
}

template <class T>
void releaseToPool(void* pObject, std::size_t uSize)
{
    if (!pObject) return;
    if (uSize != sizeof(T)) {
        ::operator delete(pObject);
        return;
    }
    poolOf<T>().free(pObject);
}

}  // namespace HalvrennInc

//! Declares the pooled operator new and delete inside a drawing class.
#define OVS_POOLED_CLASS(Class)                                   \
    static void* operator new(std::size_t uSize)                  \
    {                                                             \
        return ::HalvrennInc::allocateFromPool<Class>(uSize);     \
    }                                                             \
    static void operator delete(void* pObject, std::size_t uSize) \
    {                                                             \
        ::HalvrennInc::releaseToPool<Class>(pObject, uSize);      \
    }
