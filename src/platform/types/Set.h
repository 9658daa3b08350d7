#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace zov {

// A small set of enumeration values stored as a bit set, bit n for the value of
// ordinal n — the layout the property stream and the state fields rely on.
template <typename E, typename Bits = uint32_t> class TSet {
    static_assert(std::is_enum_v<E>);

public:
    using Element = E;

    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values) {
            fBits |= Bit(v);
        }
    }

    static constexpr TSet FromBits(Bits bits) {
        TSet s;
        s.fBits = bits;
        return s;
    }

    constexpr Bits ToBits() const { return fBits; }
    constexpr bool Contains(E v) const { return (fBits & Bit(v)) != 0; }
    constexpr bool IsEmpty() const { return fBits == 0; }
    constexpr void Include(E v) { fBits |= Bit(v); }
    constexpr void Exclude(E v) { fBits &= static_cast<Bits>(~Bit(v)); }

    constexpr TSet operator+(TSet o) const { return FromBits(fBits | o.fBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(fBits & static_cast<Bits>(~o.fBits)); }
    constexpr TSet operator*(TSet o) const { return FromBits(fBits & o.fBits); }
    constexpr TSet& operator+=(TSet o) { return *this = *this + o; }
    constexpr TSet& operator-=(TSet o) { return *this = *this - o; }
    constexpr TSet& operator*=(TSet o) { return *this = *this * o; }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr Bits Bit(E v) {
        return static_cast<Bits>(Bits{1} << static_cast<unsigned>(v));
    }

    Bits fBits = 0;
};

} // namespace zov
