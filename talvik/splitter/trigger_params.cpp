#include "trigger_params.h"

namespace talvik {

int NoiseBand(SampleFormat load, int noisePercent) {
    // For every value from 0 to 100 this equals the whole part of value times 1.27;
    // 16-bit tracks get the same share of their own full scale.
    return noisePercent * (Is16Bit(load) ? 32767 : 127) / 100;
}

}  // namespace talvik
