#pragma once
// One thing the simulation asks of the interface: a caption, a sound, a message box, a
// window refresh, a screen effect. Plain values, so that a request made on the tick
// thread can wait in the queue until the interface thread hands it out.
#include <cstdint>
#include <string>

enum class RequestKind : std::int32_t {
    ActionTitle = 0,       // text: the HUD action caption ("" when none)
    DateButtonEnabled = 1, // enabled
    PlaySound = 2,         // text: sound name; pitch, volume
    ShowMessage = 3,       // title, text; a non-empty followUpTitle opens a box on close
    RefreshExpenditure = 4,
    ShowExpenditure = 5,
    RefreshCityInfo = 6,
    RefreshProduction = 7,
    FloatingMark = 8, // x, y: map-view units; drift
    Shake = 9,        // strength, decay
    CentreView = 10,  // tileX, tileY
    LeaveTitleScreen = 11,
    CloseWindows = 12,
    LayerTitle = 13, // text
    RefreshLayerOptions = 14,
    RefreshHistory = 15,
};

// The volume a sound plays at unless its request says otherwise: the sound's own level.
constexpr float kFullVolume = 100.f;

struct Request {
    RequestKind kind = RequestKind::RefreshExpenditure;
    std::string title;
    std::string text;
    std::string followUpTitle;
    std::string followUpText;
    bool enabled = false;
    float pitch = 1.f;
    float volume = kFullVolume;
    int tileX = 0;
    int tileY = 0;
    float x = 0.f;
    float y = 0.f;
    float drift = 0.f;
    float strength = 0.f;
    float decay = 0.f;
};
