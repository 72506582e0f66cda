// The reader's fast path for the common shape of a bar: only numbers are read, keys are
// compared raw, and on any other shape the caller rewinds the record and reads it by
// the general path, whose messages stay as they are.
#pragma once

#include <simdjson.h>

#include "indicators/bar.hpp"

namespace torvex::gym {

// An object with exactly the keys ts, open, high, low, close and volume in that order
// (written without escapes), an integer ts and numbers for the rest.
bool read_plain_candle(simdjson::ondemand::object& o, Ohlcv& out);

// An array of five or six numbers, an integer ts first; the volume 0.0 where it is
// left out.
bool read_plain_candle(simdjson::ondemand::array& a, Ohlcv& out);

}  // namespace torvex::gym
