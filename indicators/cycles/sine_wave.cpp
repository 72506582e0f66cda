#include "indicators/cycles/sine_wave.hpp"
