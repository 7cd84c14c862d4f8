// Relaxed atomic access to a plain word that another thread reads or writes:
// a plain load or store on the machines we target, and silent under
// ThreadSanitizer. The __atomic built-ins that GCC and Clang share, as
// Emscripten's library has no std::atomic_ref.
#pragma once

template <typename T>
inline T relaxed_load(const T& word)
{
    return __atomic_load_n(&word, __ATOMIC_RELAXED);
}

template <typename T>
inline void relaxed_store(T& word, T value)
{
    __atomic_store_n(&word, value, __ATOMIC_RELAXED);
}

template <typename T>
inline void relaxed_add(T& word, T amount)
{
    __atomic_fetch_add(&word, amount, __ATOMIC_RELAXED);
}
