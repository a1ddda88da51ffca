#pragma once
// A floating plus-one mark released by a progress click: it rises from the action's
// tile, drifting to one side, and is gone after kLifetime seconds.

struct FloatingEffect {
    static constexpr float kLifetime = 0.6f;
    static constexpr float kRiseSpeed = 32.f; // map-view units a second, without drift

    // Moves the mark on by one frame; false once it has lived out its time (it is
    // then not drawn).
    bool advance(float frameTime);

    float x = 0.f; // map-view position of the mark's centre
    float y = 0.f;
    float age = 0.f;   // seconds
    float drift = 0.f; // -0.5 .. 0.5
};
