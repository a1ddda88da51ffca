#pragma once
// What the model asks of the interface. The screens implement it; with none attached
// every call does nothing, which is what the headless tests and tools want.
class SimulationListener {
public:
    virtual ~SimulationListener() = default;

    // The information layer changed; the HUD shows that layer's options.
    virtual void refreshLayerOptions() {}
    // Money was booked outside the tick; the expenditure window shows fresh values.
    virtual void refreshExpenditure() {}
    // A message box the player must see.
    virtual void showMessage(const char* /*title*/, const char* /*text*/) {}
};
