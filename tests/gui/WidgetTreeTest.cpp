// The widget tree: dispatch order with the shared handled flag, hit tests and deferred
// deletion.
#include "GuiTestSupport.h"
#include "gui/Widget.h"

#include <string>
#include <vector>

namespace {

using guitest::GuiTest;

// Records each visit with the handled flag as it found it.
class Probe : public gui::Widget {
public:
    Probe(UI& ui, std::string name, std::vector<std::string>& log, bool consumes,
          sf::IntRect rect = {})
        : Widget(ui, {rect.left, rect.top}, {rect.width, rect.height}), name_(std::move(name)),
          log_(log), consumes_(consumes) {}

    bool handleEvent(const sf::Event& event, bool& handled) override {
        log_.push_back(name_ + (handled ? "+" : "-"));
        Widget::handleEvent(event, handled);
        return consumes_;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
    bool consumes_;
};

class WidgetTree : public GuiTest {
protected:
    Probe* probe(gui::Widget& parent, const std::string& name, bool consumes,
                 sf::IntRect rect = {}) {
        return parent.add(std::make_unique<Probe>(*ui, name, log, consumes, rect));
    }
    bool dispatch(gui::Widget& root) {
        bool handled = false;
        return root.handleEvent(mouseEvent(sf::Event::MouseButtonPressed), handled);
    }

    gui::Widget root{*ui, {0, 0}, {640, 360}};
    std::vector<std::string> log;
};

TEST_F(WidgetTree, TopmostChildFirstAndTheOnesBelowSeeTheFlag) {
    probe(root, "bottom", false);
    probe(root, "middle", true);
    probe(root, "top", false);
    EXPECT_TRUE(dispatch(root));
    EXPECT_EQ(log, (std::vector<std::string>{"top-", "middle-", "bottom+"}));
}

// Hit tests are half open, find the topmost visible widget and add up the ancestors.
TEST_F(WidgetTree, HitTests) {
    gui::Widget* lower = probe(root, "lower", false, {10, 20, 30, 40});
    gui::Widget* upper = probe(root, "upper", false, {30, 40, 50, 50});
    gui::Widget* nested = probe(*upper, "nested", false, {5, 5, 10, 10});
    const struct {
        sf::Vector2i point;
        gui::Widget* found;
    } cases[] = {
        {{10, 20}, lower},  {{39, 39}, lower}, {{40, 30}, &root},  {{20, 60}, &root},
        {{9, 30}, &root},   {{20, 19}, &root}, {{35, 45}, nested}, {{32, 42}, upper},
        {{44, 54}, nested}, {{45, 55}, upper},
    };
    for (const auto& c : cases)
        EXPECT_EQ(root.findWidgetAt(c.point, nullptr), c.found) << c.point.x << "," << c.point.y;
    root.setPosition({1, 2});
    EXPECT_EQ(nested->getAbsolutePosition(), sf::Vector2i(36, 47));
    upper->setVisible(false);
    EXPECT_EQ(root.findWidgetAt({36, 47}, nullptr), lower);
    root.setEnabled(false);
    EXPECT_EQ(root.findWidgetAt({36, 47}, nullptr), nullptr);
}

TEST_F(WidgetTree, ClosedWidgetLivesUntilTheNextDrawAndClosingTwiceIsHarmless) {
    gui::Widget* parent = ui->gameRoot->add(std::make_unique<gui::Widget>(*ui));
    bool deleted = false;
    class Sentinel : public gui::Widget {
    public:
        Sentinel(UI& ui, bool& flag) : Widget(ui), flag_(flag) {}
        ~Sentinel() override { flag_ = true; }

    private:
        bool& flag_;
    };
    gui::Widget* doomed = parent->add(std::make_unique<Sentinel>(*ui, deleted));
    doomed->close();
    doomed->close();
    EXPECT_TRUE(parent->children().empty());
    EXPECT_EQ(doomed->parent(), nullptr);
    EXPECT_FALSE(deleted);
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(640, 360));
    ui->draw(target);
    EXPECT_TRUE(deleted);
}

TEST_F(WidgetTree, AWidgetClosingItsSiblingDuringDispatchIsSafe) {
    probe(root, "bottom", false);
    gui::Widget* victim = probe(root, "victim", false);
    class Closer : public gui::Widget {
    public:
        Closer(UI& ui, gui::Widget*& target) : Widget(ui), target_(target) {}
        bool handleEvent(const sf::Event&, bool&) override {
            target_->close();
            return true;
        }

    private:
        gui::Widget*& target_;
    };
    root.add(std::make_unique<Closer>(*ui, victim));
    EXPECT_TRUE(dispatch(root));
    EXPECT_EQ(log, std::vector<std::string>{"bottom+"});
}

} // namespace
