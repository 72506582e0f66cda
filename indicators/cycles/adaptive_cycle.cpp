#include "indicators/cycles/adaptive_cycle.hpp"
