// The reader's fast path for the common shape of a bar.
#include "gym_core/plain_candle.hpp"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace torvex::gym {

namespace od = simdjson::ondemand;

namespace {

// A key of up to seven characters with its closing quote, as the eight bytes that
// hold it in memory, and the mask of those bytes.
struct RawKey {
    std::uint64_t word = 0;
    std::uint64_t mask = 0;
};
consteval RawKey raw_key(std::string_view key) {
    RawKey k;
    for (std::size_t i = 0; i <= key.size(); ++i) {
        const auto byte = static_cast<std::uint64_t>(static_cast<unsigned char>(i < key.size() ? key[i] : '"'));
        const std::size_t shift = std::endian::native == std::endian::little ? 8 * i : 56 - 8 * i;
        k.word |= byte << shift;
        k.mask |= std::uint64_t{0xFF} << shift;
    }
    return k;
}

// True when the raw key text (just after its opening quote) is the key exactly. The
// eight bytes read may run past the key into the document or its padding, never past
// the padded buffer.
bool raw_key_is(const char* raw, RawKey key) {
    std::uint64_t word = 0;
    std::memcpy(&word, raw, sizeof word);
    return (word & key.mask) == key.word;
}

}  // namespace

// The common shape of a bar: an object with exactly the keys ts, open, high, low, close
// and volume in that order (written without escapes), an integer ts and numbers for
// the rest. Keys are compared raw and only numbers are read, so nothing is unescaped:
// on any other shape (a value of another type fails its read) the object is rewound
// and read by the general path, whose messages stay as they are.
bool read_plain_candle(simdjson::ondemand::object& o, Ohlcv& out) {
    static constexpr RawKey kTs = raw_key("ts"), kOpen = raw_key("open"), kHigh = raw_key("high"),
                            kLow = raw_key("low"), kClose = raw_key("close"), kVolume = raw_key("volume");
    Ohlcv c;
    int n = 0;
    for (auto member : o) {
        od::field f;
        if (std::move(member).get(f)) return false;
        const char* key = f.key().raw();
        od::value x = f.value();
        bool ok = false;
        switch (n) {
            case 0: ok = raw_key_is(key, kTs) && !x.get_int64().get(c.ts); break;
            case 1: ok = raw_key_is(key, kOpen) && !x.get_double().get(c.open); break;
            case 2: ok = raw_key_is(key, kHigh) && !x.get_double().get(c.high); break;
            case 3: ok = raw_key_is(key, kLow) && !x.get_double().get(c.low); break;
            case 4: ok = raw_key_is(key, kClose) && !x.get_double().get(c.close); break;
            case 5: ok = raw_key_is(key, kVolume) && !x.get_double().get(c.volume); break;
            default: break;
        }
        if (!ok) return false;
        ++n;
    }
    if (n != 6) return false;
    out = c;
    return true;
}

// The same for the array form: five or six numbers, an integer ts first, the volume
// 0.0 where it is left out. Any other array is rewound and read by the general path.
bool read_plain_candle(simdjson::ondemand::array& a, Ohlcv& out) {
    Ohlcv c;
    int n = 0;
    for (auto element : a) {
        od::value x;
        if (std::move(element).get(x)) return false;
        bool ok = false;
        switch (n) {
            case 0: ok = !x.get_int64().get(c.ts); break;
            case 1: ok = !x.get_double().get(c.open); break;
            case 2: ok = !x.get_double().get(c.high); break;
            case 3: ok = !x.get_double().get(c.low); break;
            case 4: ok = !x.get_double().get(c.close); break;
            case 5: ok = !x.get_double().get(c.volume); break;
            default: break;
        }
        if (!ok) return false;
        ++n;
    }
    if (n < 5) return false;
    out = c;
    return true;
}

}  // namespace torvex::gym
