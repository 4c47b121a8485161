// The sounds show's steps with a fake show window: which step comes when,
// after which pause. Each tick's delay is recorded with the steps it ran.

#include "data/DataSet.h"
#include "data/SoundsShowHandler.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pemmaro {
namespace {

// Plays the recordings it is given in turn; each plays for as many polls as
// `polls` says, then its bar closes.
class FakeShowWindow : public SoundsShowSteps {
public:
    std::deque<SoundsShowNext> queue;
    std::vector<std::string> log; // what happened, in order
    int polls = 2;
    bool closed = false;

    std::optional<SoundsShowNext> next_recording() override {
        if (queue.empty())
            return std::nullopt;
        SoundsShowNext next = queue.front();
        queue.pop_front();
        return next;
    }
    void move_to_recording(const SoundsShowNext& next) override {
        log.push_back("move " + next.species->scientific_name);
    }
    bool current_bar_open() override { return playing_ > 0 && --playing_ > 0; }
    bool toggle_current_bar() override {
        log.push_back("play");
        playing_ = polls + 1;
        return true;
    }
    void mark_current_bar() override {}
    bool tell_name(const Tspecies& species) override {
        log.push_back("name " + species.scientific_name);
        return true;
    }
    void log_recording(const Tspecies& species, int number) override {
        log.push_back("log " + species.scientific_name + " " + std::to_string(number));
    }
    void close_show() override {
        log.push_back("close");
        closed = true;
    }

private:
    int playing_ = 0;
};

// Ticks until the show ends; each entry of the result is "delay:step".
std::vector<std::string> run_show(Tsounds_demo_and_play_lists_handler& handler,
                                  FakeShowWindow& window) {
    std::vector<std::string> timeline;
    int delay = Tsounds_demo_and_play_lists_handler::start_delay;
    for (int ticks = 0; ticks < 200; ++ticks) {
        const std::size_t before = window.log.size();
        const std::optional<int> next = handler.tick();
        for (std::size_t i = before; i < window.log.size(); ++i)
            timeline.push_back(std::to_string(delay) + ":" + window.log[i]);
        if (!next)
            return timeline;
        delay = *next;
    }
    ADD_FAILURE() << "the show did not end";
    return timeline;
}

class SoundsShowHandler : public ::testing::Test {
protected:
    Tspecies wren, lark;
    FakeShowWindow window;

    void SetUp() override {
        wren.scientific_name = "Troglodytes troglodytes";
        lark.scientific_name = "Alauda arvensis";
    }
    TSoundOptions options(bool tell, bool afterwards) const {
        return TSoundOptions{2, tell, afterwards, 3};
    }
};

TEST_F(SoundsShowHandler, NamesBeforeRecordingsFirstAfterTenMillisecondsThenAfterThePause) {
    window.queue = {{&wren, nullptr, 1}, {&lark, nullptr, 2}};
    Tsounds_demo_and_play_lists_handler handler(false, options(true, false), window);
    EXPECT_EQ(run_show(handler, window),
              (std::vector<std::string>{"10:move Troglodytes troglodytes",
                                        "10:name Troglodytes troglodytes", "3010:play",
                                        "3010:log Troglodytes troglodytes 1",
                                        "10:move Alauda arvensis", "2010:name Alauda arvensis",
                                        "3010:play", "3010:log Alauda arvensis 2", "10:close"}));
}

TEST_F(SoundsShowHandler, NamesAfterRecordingsFollowEachPlayAfterThePause) {
    window.queue = {{&wren, nullptr, 1}, {&lark, nullptr, 2}};
    Tsounds_demo_and_play_lists_handler handler(false, options(true, true), window);
    EXPECT_EQ(
        run_show(handler, window),
        (std::vector<std::string>{
            "10:move Troglodytes troglodytes", "2010:play", "2010:log Troglodytes troglodytes 1",
            "2010:name Troglodytes troglodytes", "3010:move Alauda arvensis", "2010:play",
            "2010:log Alauda arvensis 2", "2010:name Alauda arvensis", "3010:close"}));
}

TEST_F(SoundsShowHandler, PlayListRowTwiceWithoutNameOrPauseBetweenAndNoLog) {
    window.queue = {{&wren, nullptr, 1, false, false}, {&wren, nullptr, 1, true, true}};
    Tsounds_demo_and_play_lists_handler handler(true, options(true, false), window);
    EXPECT_EQ(run_show(handler, window),
              (std::vector<std::string>{"10:move Troglodytes troglodytes",
                                        "10:name Troglodytes troglodytes", "3010:play",
                                        "10:move Troglodytes troglodytes", "10:play", "10:close"}));
}

TEST_F(SoundsShowHandler, PlayListWithNamesAfterwardsClosesRightAfterTheLastName) {
    window.queue = {
        {&wren, nullptr, 1, false, false}, {&lark, nullptr, 3, false, true}, {&wren, nullptr, 1}};
    Tsounds_demo_and_play_lists_handler handler(true, options(true, true), window);
    const std::vector<std::string> timeline = run_show(handler, window);
    ASSERT_GE(timeline.size(), 2u);
    EXPECT_EQ(timeline[timeline.size() - 2], "2010:name Alauda arvensis");
    EXPECT_EQ(timeline.back(), "2010:close"); // in the same tick as the name
    EXPECT_EQ(window.queue.size(), 1u);       // never asked beyond its last play
}

TEST_F(SoundsShowHandler, RecordingThatCannotOpenStopsWithoutClosing) {
    struct Unplayable : FakeShowWindow {
        bool toggle_current_bar() override { return false; }
    } unplayable;
    unplayable.queue = {{&wren, nullptr, 1}};
    Tsounds_demo_and_play_lists_handler handler(false, options(false, false), unplayable);
    run_show(handler, unplayable);
    EXPECT_FALSE(unplayable.closed);
    EXPECT_EQ(handler.state(), 4);
}

} // namespace
} // namespace pemmaro
