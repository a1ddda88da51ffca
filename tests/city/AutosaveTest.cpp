// When the autosave is written: every so many days of play and when a changed city is
// left, never for an unchanged one; and a failure is only a result, never a stop.
#include "city/Autosave.h"

#include "CityTestSupport.h"
#include "platform/Folders.h"
#include "platform/TestFolders.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class AutosaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(createSupportFolders());
        fs::remove(SaveGame::autosavePath());
        sim.startNewGame();
        autosave.markSaved();
    }
    // The day of the autosave on disk, -1 when there is none.
    static int savedDay() {
        if (!fs::exists(SaveGame::autosavePath()))
            return -1;
        Simulation loaded;
        return SaveGame::loadSlot(loaded, SaveGame::AutosaveSlot) ? loaded.dayCounter : -2;
    }
    void passDay() {
        sim.advanceDay();
        sim.waitForTick();
    }

    Simulation sim;
    Autosave autosave{sim};
};

TEST_F(AutosaveTest, EveryPeriodOfDaysAfterTheTickAndNeverWhenOff) {
    struct Step {
        int days;      // passed before the frame
        int everyDays; // the setting
        bool written;
        int onDisk; // the autosave's day afterwards
    };
    const Step steps[] = {
        {29, 30, false, -1}, {1, 30, true, 30},  {0, 30, false, 30}, // once a period
        {30, 0, false, 30},  {1, -5, false, 30},                     // off
        {1, 30, true, 62}, // a period passed while it was off: saved at once
        {2, 3, true, 64},    {1, 3, false, 64},  {1, 3, true, 66}, // at multiples of 3
    };
    for (const Step& step : steps) {
        for (int day = 0; day < step.days; ++day)
            passDay();
        EXPECT_EQ(autosave.afterFrame(step.everyDays).has_value(), step.written)
            << "day " << sim.dayCounter;
        EXPECT_EQ(savedDay(), step.onDisk) << "day " << sim.dayCounter;
    }

    // While a tick runs the day is not over yet.
    sim.dayCounter = 68;
    const std::scoped_lock holdTheTick(sim.mapMutex);
    sim.advanceDay();
    EXPECT_FALSE(autosave.afterFrame(3));
}

TEST_F(AutosaveTest, LeavingWritesOnlyACityChangedSinceItWasSaved) {
    EXPECT_FALSE(autosave.leave()); // untouched new city
    EXPECT_EQ(savedDay(), -1);

    autosave.markSaved();
    passDay();
    ASSERT_TRUE(autosave.leave());
    EXPECT_EQ(savedDay(), 1);
    EXPECT_FALSE(autosave.leave()); // the city is gone: nothing more to keep

    // A rotation is a change too; a slot save since is not.
    autosave.markSaved();
    sim.rotateLeft();
    ASSERT_TRUE(SaveGame::saveSlot(sim, 1));
    autosave.markSaved();
    EXPECT_FALSE(autosave.leave());
}

TEST_F(AutosaveTest, AFailureIsReportedAndLeftoversOfKilledSavesGo) {
    std::ofstream(savesPath() + "1.sav.Ab12Cd") << "half a save";
    passDay();
    ASSERT_TRUE(autosave.leave());
    EXPECT_FALSE(fs::exists(savesPath() + "1.sav.Ab12Cd"));

    fs::remove(SaveGame::autosavePath());
    fs::create_directory(SaveGame::autosavePath());
    autosave.markSaved();
    passDay();
    const std::optional<SaveResult> result = autosave.leave();
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->ok);
    EXPECT_EQ(result->message,
              SaveGame::autosavePath() + ": is not a regular file; it was left as it is");
    fs::remove(SaveGame::autosavePath());
}

} // namespace
