#include "screens/Hud.h"

#include "game/Game.h"
#include "gui/UI.h"

Hud::Hud(Game& game) : game(game) {}

void Hud::create() {}

void Hud::layout() {}

void Hud::update(sf::RenderTarget& target) {
    game.ui->draw(target);
}

void Hud::setActionTitle(const std::string&) {}

void Hud::setDateButtonEnabled(bool) {}

void Hud::hideActionProgress() {}

void Hud::resetLayerOptions() {}
