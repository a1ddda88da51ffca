#include "game/FloatingEffect.h"

#include <cmath>

bool FloatingEffect::advance(float frameTime) {
    age += frameTime;
    y -= (drift * 10.f + kRiseSpeed) * frameTime;
    // The sideways drift starts fast and slows as the mark ages. At age 0 (a frame of
    // no time) the logarithm is infinite and would turn the position into NaN.
    if (age > 0.f)
        x += std::log(age * 100.f) * drift * frameTime * 10.f;
    return age < kLifetime;
}
