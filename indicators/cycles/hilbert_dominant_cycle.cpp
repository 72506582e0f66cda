#include "indicators/cycles/hilbert_dominant_cycle.hpp"
