// Ostrel-Vane Studio - a reference-counted text, shared by the copies of a Real that
// carry the same error message.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "String.h"

namespace HalvrennInc {

class ReferenceString : public String {
public:
    //! Created with a count of 1: the holder that makes it owns that reference.
    explicit ReferenceString(std::string_view sText) : String(sText) {}

    void addReference() { m_iCount.fetch_add(1, std::memory_order_relaxed); }
    //! Drops one reference; the last one destroys the object.
    void release()
    {
        if (m_iCount.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
    }
    std::int32_t referenceCount() const { return m_iCount.load(std::memory_order_relaxed); }

    // Objects come from one pool of 100 objects per block.
    static void* operator new(std::size_t uSize);
    static void operator delete(void* pObject);

private:
    ~ReferenceString() override = default;

    std::atomic<std::int32_t> m_iCount{1};
};

}  // namespace HalvrennInc
