#pragma once
// The heads-up display over the running city: budget, population and date read-outs,
// the side buttons for layers and reports, rotation, the date button, the armed
// action's caption, progress button, bar and cancel button, and the two option panels
// of the build and population layers. Built once, laid out on every size change,
// updated every frame. Main thread only. Non-copyable.
#include <SFML/Graphics/RenderTarget.hpp>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class Game;

namespace gui {
class Button;
class CheckBox;
class Image;
class Text;
class Widget;
class Window;
} // namespace gui

class Hud {
public:
    // The side buttons, top to bottom.
    enum class Side : std::int32_t {
        Build = 0,
        Ratings = 1,
        Population = 2,
        Needs = 3,
        Production = 4,
        Finances = 5,
        City = 6,
        History = 7,
    };
    static constexpr std::size_t SideCount = 8;
    // The filters of the population layer, top to bottom in their panel.
    enum class Filter : std::int32_t { Housing = 0, Shops = 1, Jobs = 2 };
    static constexpr std::size_t FilterCount = 3;

    explicit Hud(Game& game);
    ~Hud();
    Hud(const Hud&) = delete;
    Hud& operator=(const Hud&) = delete;

    // Builds the widgets into the UI's game root, then lays them out.
    void create();
    // Places every widget, and every open screen window, for the current screen size.
    void layout();
    // Once per frame in the UI view: draws the UI and the progress fill, reads the
    // numbers and runs the date button's timers.
    void update(sf::RenderTarget& target);

    // "" hides the action widgets and shows the date button; a caption does the reverse.
    void setActionTitle(const std::string& title);
    // Ignored while the date button's cooldown runs.
    void setDateButtonEnabled(bool enabled);
    // Hides the action's progress bar and button (windows are closed elsewhere).
    void hideActionProgress();
    // All layer filters on, and the option panel of the current layer shown.
    void resetLayerOptions();
    // The keyboard's press of the progress or the date button: as a click, but only while
    // the button shows and takes clicks. Returns whether it was pressed.
    bool pressProgress();
    bool pressDate();

    // "dd/mm Yy" of a day counter (not negative): 30-day months, 360-day years, day
    // and month counted from 1.
    static std::string formatDate(int dayCounter);
    // Money as a whole number, cut toward zero; kept within int so a huge or broken
    // budget still shows a number.
    static std::string formatWhole(double value);
    // How full the progress bar is, 0 to 1; empty when no clicks are needed.
    static float progressFraction(double progress, unsigned clicksNeeded);
    // The badge's whole percent of a fraction.
    static int progressPercent(float fraction);

    gui::Image* budgetSlot = nullptr;
    gui::Text* budgetText = nullptr;
    gui::Image* populationSlot = nullptr;
    gui::Text* populationText = nullptr;
    gui::Image* dateSlot = nullptr;
    gui::Text* dateText = nullptr;
    gui::Button* rotateLeftButton = nullptr;
    gui::Button* rotateRightButton = nullptr;
    gui::Button* menuButton = nullptr;
    std::array<gui::Button*, SideCount> sideButtons{};
    gui::Text* actionTitleText = nullptr;
    gui::Button* actionProgressButton = nullptr;
    gui::Image* actionProgressBar = nullptr;
    gui::Text* progressPercentText = nullptr;
    gui::Button* dateButton = nullptr;
    gui::Button* cancelActionButton = nullptr;
    gui::Window* buildOptionsPanel = nullptr;
    gui::CheckBox* hideBuildingsCheckBox = nullptr;
    gui::Window* populationOptionsPanel = nullptr;
    std::array<gui::CheckBox*, FilterCount> filterCheckBoxes{};

    // A second date click while pending sounds "tock"; the timer ends the pending state.
    bool tickTockPending = false;
    double tickTockTimer = 0.0;
    // While positive the date button stays disabled; it runs down only while disabled.
    double dateButtonCooldown = 0.0;

    gui::Button* side(Side which) const { return sideButtons[static_cast<std::size_t>(which)]; }
    gui::CheckBox* filterBox(Filter which) const {
        return filterCheckBoxes[static_cast<std::size_t>(which)];
    }
    // How long the HUD drawn last keeps its look if nothing happens: the progress badge
    // moves every frame, the date button comes back when its cooldown ends.
    double secondsToNextChange() const;
    // The percentage badge: drawn by update over the bar, not part of the widget tree.
    const gui::Image* badge() const { return progressBadge.get(); }

private:
    gui::Text* addReadout(gui::Image*& slot, sf::Vector2i at, const char* sprite);
    gui::Button* addButton(sf::Vector2i size, const char* sprite, std::function<void()> onClick);
    void createActionWidgets();
    void createSideButtons();
    void createOptionPanels();
    gui::CheckBox* addCheckBox(gui::Window& panel, int y, const char* label, bool checked);
    void placeReadouts(int w);
    void placeActionWidgets(int w, int h);
    void placeSideColumn(int w, int h);
    void placeOptionPanels(int w, int h);

    void showLayer(int layer, const char* title);
    void showPopulationLayer();
    void clickActionProgress();
    void clickDate();
    void showOnly(Filter shown);

    void drawProgress(sf::RenderTarget& target);
    void readNumbers();
    void runTimers(double frameTime);

    Game& game;
    gui::Widget* root = nullptr;
    std::unique_ptr<gui::Image> progressBadge;
};
