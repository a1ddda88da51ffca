// The daily tick's thread: starting it, waiting for it and releasing it.
#include "city/BuildingTick.h"
#include "city/Simulation.h"

#include <cstdio>
#include <utility>

unsigned Simulation::advanceDay() {
    int day = 0;
    for (bool started = false; !started;) {
        // A finished tick not yet released is joined before the next begins.
        releaseFinishedTick();
        const std::scoped_lock lock(buildingUpdateMutex);
        if (buildingsUpdating)
            return 0;
        if (buildingUpdateThread.joinable())
            continue; // it finished just now: release it first
        day = ++dayCounter;
        listener().setDateButtonEnabled(false);
        buildingsUpdating = true;
        buildingUpdateThread = std::thread(&Simulation::buildingTick, this);
        started = true;
    }
    unsigned result = 1;
    if (day % kDaysPerMonth == 0) {
        std::puts("MONTH PASSED");
        result |= 2;
    }
    if (day % kDaysPerYear == 0) {
        std::puts("YEAR PASSED");
        result |= 4;
    }
    return result;
}

bool Simulation::releaseFinishedTick(const RequestHandler& handler) {
    std::thread finished;
    {
        const std::scoped_lock lock(buildingUpdateMutex);
        if (!buildingsUpdating && buildingUpdateThread.joinable())
            finished = std::move(buildingUpdateThread);
    }
    const bool released = finished.joinable();
    if (released) {
        // The tick has done all its work; only its return is left to wait for.
        finished.join();
        std::puts("\tFreeing building update thread!");
        listener().setDateButtonEnabled(true);
    }
    drainRequests(handler);
    return released;
}

bool Simulation::waitForTick(const RequestHandler& handler) {
    {
        std::unique_lock lock(buildingUpdateMutex);
        if (!buildingsUpdating && !buildingUpdateThread.joinable())
            return false;
        tickFinished.wait(lock, [this] { return !buildingsUpdating; });
    }
    return releaseFinishedTick(handler);
}

bool Simulation::tickRunning() const {
    const std::scoped_lock lock(buildingUpdateMutex);
    return buildingsUpdating;
}

void Simulation::setTickHookForTests(std::function<void()> hook) {
    tickHook = std::move(hook);
}

void Simulation::buildingTick() {
    const std::scoped_lock mapLock(mapMutex);
    if (tickHook)
        tickHook();
    BuildingTick(*this).run();
    // Cleared last, not before the day is closed: until then a click or a new day
    // would change what the tick is still reading.
    {
        const std::scoped_lock lock(buildingUpdateMutex);
        buildingsUpdating = false;
    }
    tickFinished.notify_all();
}
