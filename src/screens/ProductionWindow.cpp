#include "screens/ProductionWindow.h"

#include "city/Messages.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "gui/Text.h"
#include "screens/ReportText.h"

namespace {

constexpr int kRowTop = 35;
constexpr int kRowStep = 11;
constexpr int kUnderlineY = 31;
constexpr int kSecondUnderlineY = 68;
constexpr int kTotalY = 71;
constexpr int kLabelX = 10;
constexpr int kLabelWidth = 100;

struct ValueColumn {
    int x;
    int width;
};
// By ProductionWindow::Column.
constexpr std::array<ValueColumn, 4> kValueColumns{{{70, 60}, {124, 60}, {190, 50}, {220, 50}}};

struct PriceButtonPlace {
    int x;
    const char* sprite;
};
// By ProductionWindow::PriceButton; they sit two pixels above their row's text.
constexpr std::array<PriceButtonPlace, 3> kPriceButtons{
    {{276, "ui/rent_increase"}, {287, "ui/rent_decrease"}, {298, "ui/reset_price"}}};
const sf::Vector2i kPriceButtonSize{11, 12};
constexpr int kPriceButtonRise = 2;

const sf::Vector2i kHelpButtonSize{9, 9};

int rowY(int goodsType) {
    return kRowTop + kRowStep * goodsType;
}

} // namespace

ProductionWindow::ProductionWindow(Game& game)
    : ReportWindow(game, {320, 130}, "Production & demand") {}

void ProductionWindow::refreshProduction() {
    refresh();
}

void ProductionWindow::build(gui::Window& report) {
    buildHeaders(report);
    for (int g = 0; g < kGoodsTypeCount; ++g)
        buildRow(report, g);
    addImage(report, {kLabelX, kSecondUnderlineY}, "ui/production_titles_underline");
    addText(report, {kLabelX, kTotalY, 50, kTextHeight}, "Total");
    const ValueColumn income = kValueColumns[Income];
    totalText =
        addText(report, {income.x, kTotalY, income.width, kTextHeight}, "0", gui::Align::Right);
}

void ProductionWindow::buildHeaders(gui::Window& report) {
    addHeader(report, {10, 24}, 60, "Type");
    addHeader(report, {70, 24}, 60, "Demand", gui::Align::Right);
    addHeader(report, {124, 24}, 60, "Production", gui::Align::Right);
    addHelpButton(report, {{184, 22}, kHelpButtonSize}, "ui/help_button_tiny", "Production",
                  "This is the amount of each type of goods your factories produce. All demand "
                  "not met by your factories will be imported, but at a higher price.");
    addHeader(report, {190, 24}, 50, "Income", gui::Align::Right);
    addHeader(report, {220, 24}, 50, "Price", gui::Align::Right);
    addHelpButton(report, {{270, 22}, kHelpButtonSize}, "ui/help_button_tiny", "Pricing",
                  "This is the price at which goods are sold in your city.");
    addImage(report, {kLabelX, kUnderlineY}, "ui/production_titles_underline");
}

void ProductionWindow::buildRow(gui::Window& report, int goodsType) {
    const auto g = static_cast<std::size_t>(goodsType);
    const int y = rowY(goodsType);
    addText(report, {kLabelX, y, kLabelWidth, kTextHeight}, goodsNames[g]);
    for (std::size_t c = 0; c < kValueColumns.size(); ++c)
        values[g][c] = addText(report, {kValueColumns[c].x, y, kValueColumns[c].width, kTextHeight},
                               "0", gui::Align::Right);
    for (std::size_t b = 0; b < kPriceButtons.size(); ++b) {
        const auto button = static_cast<PriceButton>(b);
        priceButtons[g][b] = addIconButton(
            report, {{kPriceButtons[b].x, y - kPriceButtonRise}, kPriceButtonSize},
            kPriceButtons[b].sprite, [this, button, goodsType] { changePrice(button, goodsType); });
    }
}

void ProductionWindow::changePrice(PriceButton button, int goodsType) {
    Simulation& simulation = *game.simulation;
    switch (button) {
    case Raise:
        simulation.raiseGoodsPrice(goodsType);
        break;
    case Lower:
        simulation.lowerGoodsPrice(goodsType);
        break;
    case Reset:
        simulation.resetGoodsPrice(goodsType);
        break;
    }
    refresh();
}

void ProductionWindow::rewrite() {
    const auto& goods = game.simulation->goods;
    constexpr std::array<std::size_t, 4> blocks{kGoodsDemand, kGoodsProduction, kGoodsIncome,
                                                kGoodsPrice};
    double totalIncome = 0.0;
    for (std::size_t g = 0; g < values.size(); ++g) {
        for (std::size_t c = 0; c < blocks.size(); ++c)
            values[g][c]->setText(twoDecimalsText(goods[blocks[c] + g]));
        totalIncome += goods[kGoodsIncome + g];
    }
    totalText->setText(twoDecimalsText(totalIncome));
}
