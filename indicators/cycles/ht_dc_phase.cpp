#include "indicators/cycles/ht_dc_phase.hpp"
