// Behaviour of the pool allocator: blocks taken and released, the free chain, alignment.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/FixedSizeMemoryManager.h"

using namespace HalvrennInc;

TEST(FixedSizeMemoryManager, BlocksAreTakenAndReleasedAcrossTheirBoundaries)
{
    FixedSizeMemoryManager pool(24, 100);
    std::vector<void*> objects;
    for (int i = 0; i < 101; ++i) objects.push_back(pool.allocate());
    EXPECT_EQ(pool.blockCount(), 2u);
    EXPECT_EQ(pool.blockOf(objects[0]), pool.blockOf(objects[99]));
    EXPECT_NE(pool.blockOf(objects[0]), pool.blockOf(objects[100]));

    // Freeing the 101st object empties the second block, which goes back to the heap.
    pool.free(objects[100]);
    objects.pop_back();
    EXPECT_EQ(pool.blockCount(), 1u);
    EXPECT_EQ(pool.firstFreeBlock(), nullptr);  // the first block is full

    // Freeing one object of the full block puts it at the head of the free chain, and
    // the next allocation reuses that very slot.
    const void* block = pool.blockOf(objects[50]);
    void* freed = objects[50];
    pool.free(freed);
    EXPECT_EQ(pool.firstFreeBlock(), block);
    EXPECT_EQ(pool.allocate(), freed);
    EXPECT_EQ(pool.firstFreeBlock(), nullptr);

    EXPECT_TRUE(pool.free(nullptr));
    for (void* p : objects) pool.free(p);
    EXPECT_EQ(pool.blockCount(), 0u);
}

TEST(FixedSizeMemoryManager, ObjectsAreZeroedAlignedAndDistinct)
{
    FixedSizeMemoryManager pool(13, 7);
    std::vector<void*> objects;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 30; ++i) {
            void* p = pool.allocate();
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % alignof(std::max_align_t), 0u);
            const auto* bytes = static_cast<const unsigned char*>(p);
            for (int b = 0; b < 13; ++b) EXPECT_EQ(bytes[b], 0);
            std::memset(p, 0xAB, 13);  // dirty it: the next user must still get zeros
            objects.push_back(p);
        }
        // Free every other object, then the rest, in a scrambled order.
        for (std::size_t i = 0; i < objects.size(); i += 2) pool.free(objects[i]);
        for (std::size_t i = objects.size(); i-- > 0;)
            if (i % 2 == 1) pool.free(objects[i]);
        objects.clear();
        EXPECT_EQ(pool.blockCount(), 0u);
    }
}

TEST(FixedSizeMemoryManager, HoldsObjectsWithDoublesAndPointers)
{
    struct Sample {
        double d;
        void* p;
        std::uint64_t u;
    };
    FixedSizeMemoryManager pool(sizeof(Sample), 3);
    std::vector<Sample*> samples;
    for (int i = 0; i < 10; ++i) {
        auto* s = static_cast<Sample*>(pool.allocate());
        s->d = i * 0.5;
        s->p = s;
        s->u = 0xFFFFFFFFFFFFull * i;
        samples.push_back(s);
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(samples[i]->d, i * 0.5);
        EXPECT_EQ(samples[i]->p, samples[i]);
        EXPECT_EQ(samples[i]->u, 0xFFFFFFFFFFFFull * i);
    }
    for (Sample* s : samples) pool.free(s);
    EXPECT_EQ(pool.blockCount(), 0u);
}
