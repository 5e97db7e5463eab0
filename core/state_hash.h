// state_hash.h: FNV-1a over records field by field, in a fixed order and byte order, so every
// build and compiler hashes the same state alike; padding never counts.
#pragma once
#include <cstring>
#include <type_traits>

#include "core/types.h"

// FNV-1a, 64 bits.
struct Hasher {
    u64 value = 0xcbf29ce484222325ull;

    void byte(u8 b) { value = (value ^ b) * 0x100000001b3ull; }
    void add(u32 v) {
        for (int i = 0; i < 4; ++i) byte(u8(v >> (8 * i)));
    }
    void add(i32 v) { add(u32(v)); }
    void add(u64 v) {
        add(u32(v));
        add(u32(v >> 32));
    }
    void add(bool v) { byte(v ? 1 : 0); }
    void add(f32 v) {
        u32 bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        add(bits);
    }
    template <typename E>
    void add(E v) requires std::is_enum_v<E> { add(i32(v)); }
    void text(const char* s, size_t size) {
        const size_t n = strnlen(s, size);
        add(u32(n));
        for (size_t i = 0; i < n; ++i) byte(u8(s[i]));
    }
    template <typename... T>
    void all(const T&... v) { (add(v), ...); }
};
