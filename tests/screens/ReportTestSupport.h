#pragma once
// A started game with a new city, its greeting boxes closed, and the simulation's
// requests carried out as the frame loop would.
#include "ScreenTestSupport.h"
#include "city/Request.h"
#include "city/Simulation.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <vector>

class ReportTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        startCity();
    }

    RequestHandler carryOut() {
        return [this](const Request& request) { game.carryOut(request); };
    }

    // One day as the date button runs it.
    void passDay() {
        ASSERT_NE(game.simulation->advanceDay(), 0u);
        game.simulation->waitForTick(carryOut());
    }

    // Windows and message boxes with this (upper-case) title.
    int countTitled(const std::string& title) const {
        int count = 0;
        for (const auto& child : game.ui->gameRoot->children())
            if (auto* window = dynamic_cast<gui::Window*>(child.get()))
                count += window->titleBar()->title() == title;
        return count;
    }

    // The interface as a frame draws it, in UI pixels, with the cursor off screen.
    sf::Image picture() {
        mouse = {-50, -50};
        const sf::Vector2i screen = game.ui->screenSize();
        sf::RenderTexture target;
        EXPECT_TRUE(target.create(unsigned(screen.x), unsigned(screen.y)));
        target.setView(*game.uiView);
        target.clear(game.paperColor);
        game.ui->draw(target);
        target.display();
        return target.getTexture().copyToImage();
    }
};
