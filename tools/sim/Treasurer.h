#pragma once
// The built-in player's daily round of the money side, through the same calls as the
// tile information, production and city windows: rents as high as each house bears,
// goods prices and each factory's goods for the best production income, the loan paid
// back and build-rate upgrades bought once the city can spare the money.
#include "city/BuildingTick.h"

#include <unordered_map>

class Simulation;
class Tile;

class Treasurer {
public:
    explicit Treasurer(Simulation& simulation);

    // Once a day, after the tick has been released.
    void manage();
    // Borrows towards a price the budget cannot meet while the city's daily result
    // carries the interest easily, or whatever it takes for an essential purchase; true
    // when it borrowed.
    bool borrowFor(double price, bool essential);
    // Everything is unlocked: the city stops borrowing and pays its loan back.
    bool cityComplete() const;

private:
    void setRents();
    void setRent(Tile& tile);
    void setPrices();
    void assignFactoryGoods();
    void settleLoan();
    void buyBuildRate();
    // The residents of each class, as the tick weighs the demand for goods.
    GoodsAmounts classes() const;
    // Best price for one goods type at this production, and what it earns a day.
    std::pair<double, double> bestPrice(std::size_t goodsType, double made) const;
    double bestIncome(const GoodsAmounts& made) const;

    Simulation& simulation;
    // Day of each house's last rent change: a change shows in its rating only a day later.
    std::unordered_map<int, int> rentChanged;
};
