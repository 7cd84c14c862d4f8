// Relaxed atomic access to a plain word that another thread reads or writes:
// a plain load or store on the machines we target, and silent under
// ThreadSanitizer. std::atomic_ref where the library has it, otherwise the
// __atomic built-ins that GCC and Clang share.
#pragma once

#include <atomic>

template <typename T>
inline T relaxed_load(const T& word)
{
#if defined(__cpp_lib_atomic_ref)
    // atomic_ref takes no const type; a relaxed load does not write.
    return std::atomic_ref<T>(const_cast<T&>(word)).load(std::memory_order_relaxed);
#else
    return __atomic_load_n(&word, __ATOMIC_RELAXED);
#endif
}

template <typename T>
inline void relaxed_store(T& word, T value)
{
#if defined(__cpp_lib_atomic_ref)
    std::atomic_ref<T>(word).store(value, std::memory_order_relaxed);
#else
    __atomic_store_n(&word, value, __ATOMIC_RELAXED);
#endif
}

template <typename T>
inline void relaxed_add(T& word, T amount)
{
#if defined(__cpp_lib_atomic_ref)
    std::atomic_ref<T>(word).fetch_add(amount, std::memory_order_relaxed);
#else
    __atomic_fetch_add(&word, amount, __ATOMIC_RELAXED);
#endif
}
