#pragma once
// A field of a building record that the tick writes while the interface reads it for
// display. Every load and store is atomic, so a reader never sees a torn value, but
// orders nothing else: nothing is inferred from seeing a new value, and a fully ordered
// store would cost the tick a fence for every field of every house.
#include <atomic>

template <class T> class SharedValue {
public:
    SharedValue(T initial = T()) : value(initial) {} // NOLINT: reads as the plain value
    SharedValue(const SharedValue&) = delete;
    SharedValue& operator=(const SharedValue&) = delete;

    T load() const { return value.load(std::memory_order_relaxed); }
    void store(T v) { value.store(v, std::memory_order_relaxed); }
    operator T() const { return load(); } // NOLINT: reads as the plain value
    SharedValue& operator=(T v) {
        store(v);
        return *this;
    }

private:
    std::atomic<T> value;
};
