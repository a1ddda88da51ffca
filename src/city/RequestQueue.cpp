#include "city/RequestQueue.h"

#include <utility>

void SimulationListener::playSound(const std::string& name) {
    playSound(name, 1.f, kFullVolume);
}

void RequestQueue::push(Request request) {
    const std::scoped_lock lock(mutex);
    if (pending.size() >= kMaxPending)
        pending.pop_front();
    pending.push_back(std::move(request));
}

void RequestQueue::drain(const RequestHandler& handler) {
    if (!handler)
        return;
    for (const Request& request : take())
        handler(request);
}

std::vector<Request> RequestQueue::take() {
    // The game drains every frame and usually finds nothing; an empty drain must not
    // allocate, and a fresh deque does, so it is made only when there is something.
    std::unique_lock lock(mutex);
    if (pending.empty())
        return {};
    std::deque<Request> taken;
    taken.swap(pending);
    lock.unlock();
    return std::vector<Request>(std::make_move_iterator(taken.begin()),
                                std::make_move_iterator(taken.end()));
}

std::size_t RequestQueue::size() const {
    const std::scoped_lock lock(mutex);
    return pending.size();
}

void RequestQueue::pushKind(RequestKind kind) {
    Request request;
    request.kind = kind;
    push(std::move(request));
}

void RequestQueue::setActionTitle(const std::string& title) {
    Request request;
    request.kind = RequestKind::ActionTitle;
    request.text = title;
    push(std::move(request));
}

void RequestQueue::setDateButtonEnabled(bool enabled) {
    Request request;
    request.kind = RequestKind::DateButtonEnabled;
    request.enabled = enabled;
    push(std::move(request));
}

void RequestQueue::playSound(const std::string& name, float pitch, float volume) {
    Request request;
    request.kind = RequestKind::PlaySound;
    request.text = name;
    request.pitch = pitch;
    request.volume = volume;
    push(std::move(request));
}

void RequestQueue::showMessage(const std::string& title, const std::string& text,
                               const std::string& followUpTitle, const std::string& followUpText) {
    Request request;
    request.kind = RequestKind::ShowMessage;
    request.title = title;
    request.text = text;
    request.followUpTitle = followUpTitle;
    request.followUpText = followUpText;
    push(std::move(request));
}

void RequestQueue::refreshExpenditure() {
    pushKind(RequestKind::RefreshExpenditure);
}

void RequestQueue::showExpenditure() {
    pushKind(RequestKind::ShowExpenditure);
}

void RequestQueue::refreshCityInfo() {
    pushKind(RequestKind::RefreshCityInfo);
}

void RequestQueue::refreshProduction() {
    pushKind(RequestKind::RefreshProduction);
}

void RequestQueue::refreshHistory() {
    pushKind(RequestKind::RefreshHistory);
}

void RequestQueue::floatingMark(float x, float y, float drift) {
    Request request;
    request.kind = RequestKind::FloatingMark;
    request.x = x;
    request.y = y;
    request.drift = drift;
    push(std::move(request));
}

void RequestQueue::shake(float strength, float decay) {
    Request request;
    request.kind = RequestKind::Shake;
    request.strength = strength;
    request.decay = decay;
    push(std::move(request));
}

void RequestQueue::centreViewOnTile(int x, int y) {
    Request request;
    request.kind = RequestKind::CentreView;
    request.tileX = x;
    request.tileY = y;
    push(std::move(request));
}

void RequestQueue::leaveTitleScreen() {
    pushKind(RequestKind::LeaveTitleScreen);
}

void RequestQueue::closeWindows() {
    pushKind(RequestKind::CloseWindows);
}

void RequestQueue::setLayerTitle(const std::string& title) {
    Request request;
    request.kind = RequestKind::LayerTitle;
    request.text = title;
    push(std::move(request));
}

void RequestQueue::refreshLayerOptions() {
    pushKind(RequestKind::RefreshLayerOptions);
}
