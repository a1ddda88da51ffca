#pragma once
// A small fixed town put together from the map sprites by the game's own placement
// rules (road pieces by neighbours, facing frames by road side, ground anchoring), so
// that joins, scale and the mix of buildings can be judged in context.
#include <SFML/Graphics/Image.hpp>
#include <string>

// Two-tone, like the sprite files; an empty image when a sprite is missing. `data`
// ends with "/".
sf::Image renderTown(const std::string& data);
