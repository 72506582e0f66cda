// Storage of the load's large arrays: the bars read from a document and the
// observation matrix.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace torvex::gym {

// Gives back to the system the whole pages within [from, to) of a block this process
// wrote and will not read again (they read as zeros if it does). Only advice too.
void release_pages(const char* from, const char* to);

// Has the system provide, in one call, the whole pages within [from, to) of a fresh
// block that is about to be written: one entry into the kernel instead of one fault per
// page. Only advice: the pages fault in as they are written where it is refused.
void prefault_pages(char* from, char* to);

// Allocator of those arrays: an element made without a value is left as it is, to be
// written once by whoever fills the array rather than zeroed first. No huge-page
// advice: where the kernel compacts memory on demand for advised ranges, the first
// touch of a fresh matrix took twice as long with it.
template <class T>
struct LargeBufferAllocator {
    using value_type = T;

    LargeBufferAllocator() = default;
    template <class U>
    LargeBufferAllocator(const LargeBufferAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) { return std::allocator<T>{}.allocate(n); }
    void deallocate(T* p, std::size_t n) noexcept { std::allocator<T>{}.deallocate(p, n); }

    template <class U>
    void construct(U* p) noexcept(noexcept(::new(static_cast<void*>(p)) U)) {
        // A plain record (a bar: its fields have default values, which a default
        // construction would write) is not written either: its storage already holds
        // such an object, of no particular value, and every element made this way is
        // written whole before it is read. An element that must start at its defaults
        // is made from a value.
        if constexpr (!(std::is_trivially_copyable_v<U> && std::is_trivially_destructible_v<U>))
            ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const LargeBufferAllocator<U>&) const noexcept {
        return true;
    }
};

// Storage set aside for reuse by its owner. A copy of the owner starts without it:
// nothing in it is read again, it only saves an allocation.
template <class T>
class SpareStorage {
public:
    SpareStorage() = default;
    SpareStorage(const SpareStorage&) {}
    SpareStorage& operator=(const SpareStorage&) { return *this; }
    SpareStorage(SpareStorage&&) noexcept = default;
    SpareStorage& operator=(SpareStorage&&) noexcept = default;

    T value;
};

}  // namespace torvex::gym
