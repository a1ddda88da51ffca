#pragma once
// What the model asks of the interface, one call per request. The simulation's own
// implementation (RequestQueue) turns every call into a Request and queues it, so the
// calls are safe from the tick thread; the interface receives them through
// Simulation::drainRequests on its own thread.
#include <string>

class SimulationListener {
public:
    virtual ~SimulationListener() = default;

    virtual void setActionTitle(const std::string& title) = 0;
    virtual void setDateButtonEnabled(bool enabled) = 0;
    virtual void playSound(const std::string& name, float pitch, float volume) = 0;
    void playSound(const std::string& name);
    // A message box the player must see; a non-empty followUpTitle opens a second box
    // when the first is closed.
    virtual void showMessage(const std::string& title, const std::string& text,
                             const std::string& followUpTitle = {},
                             const std::string& followUpText = {}) = 0;
    // Money was booked outside the tick; the expenditure window shows fresh values.
    virtual void refreshExpenditure() = 0;
    virtual void showExpenditure() = 0;
    virtual void refreshCityInfo() = 0;
    virtual void refreshProduction() = 0;
    // A month was added to the city's history.
    virtual void refreshHistory() = 0;
    // A floating plus-one mark at a point of the map view, drifting sideways.
    virtual void floatingMark(float x, float y, float drift) = 0;
    virtual void shake(float strength, float decay) = 0;
    virtual void centreViewOnTile(int x, int y) = 0;
    virtual void leaveTitleScreen() = 0;
    virtual void closeWindows() = 0;
    virtual void setLayerTitle(const std::string& title) = 0;
    // The information layer changed; the HUD shows that layer's options.
    virtual void refreshLayerOptions() = 0;
};
