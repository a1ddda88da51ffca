#pragma once
// "Production & demand": goods demand, production, income and prices with the price
// buttons.
#include "city/CityTypes.h"
#include "screens/ReportWindow.h"

#include <array>
#include <mutex>

class ProductionWindow : public ReportWindow {
public:
    // The value columns of a goods row, in the order they are shown.
    enum Column : std::size_t { Demand = 0, Production = 1, Income = 2, Price = 3 };
    // The price buttons of a goods row, left to right.
    enum PriceButton : std::size_t { Raise = 0, Lower = 1, Reset = 2 };

    explicit ProductionWindow(Game& game);

    // Rewrites the values of an open window.
    void refreshProduction();

    // Valid while the window is open.
    std::array<std::array<gui::Text*, 4>, kGoodsTypeCount> values{};
    std::array<std::array<gui::Button*, 3>, kGoodsTypeCount> priceButtons{};
    gui::Text* totalText = nullptr;

    std::mutex productionMutex;

protected:
    std::mutex& windowMutex() override { return productionMutex; }
    void build(gui::Window& report) override;
    void rewrite() override;

private:
    void buildHeaders(gui::Window& report);
    void buildRow(gui::Window& report, int goodsType);
    void changePrice(PriceButton button, int goodsType);
};
