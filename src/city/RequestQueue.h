#pragma once
// The simulation's requests to the interface, in the order they were made. Any thread
// may add; the interface thread takes them all at once (swapping the queue with an
// empty one) and handles them outside the lock. Nobody draining — a headless run —
// keeps only the newest kMaxPending, so such a run cannot grow without bound.
// The queue's mutex is the innermost lock: nothing else is locked while holding it.
#include "city/Request.h"
#include "city/SimulationListener.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

using RequestHandler = std::function<void(const Request&)>;

class RequestQueue : public SimulationListener {
public:
    static constexpr std::size_t kMaxPending = 4096;

    void push(Request request);
    // Hands every queued request to handler in order; an empty handler leaves them queued.
    void drain(const RequestHandler& handler);
    std::vector<Request> take();
    std::size_t size() const;

    void setActionTitle(const std::string& title) override;
    void setDateButtonEnabled(bool enabled) override;
    using SimulationListener::playSound;
    void playSound(const std::string& name, float pitch, float volume) override;
    void showMessage(const std::string& title, const std::string& text,
                     const std::string& followUpTitle = {},
                     const std::string& followUpText = {}) override;
    void refreshExpenditure() override;
    void showExpenditure() override;
    void refreshCityInfo() override;
    void refreshProduction() override;
    void refreshHistory() override;
    void floatingMark(float x, float y, float drift) override;
    void shake(float strength, float decay) override;
    void centreViewOnTile(int x, int y) override;
    void leaveTitleScreen() override;
    void closeWindows() override;
    void setLayerTitle(const std::string& title) override;
    void refreshLayerOptions() override;

private:
    void pushKind(RequestKind kind);

    mutable std::mutex mutex;
    std::deque<Request> pending;
};
