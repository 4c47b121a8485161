#include "DiscFixture.h"
#include "TestContext.h"
#include "TestSupport.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"
#include "platform/FileIO.h"
#include "platform/ProfileFile.h"
#include "sound/PlayList.h"
#include "sound/PlayListFile.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

// The rows a show plays, as "row" or "row!" for the one reported as the last.
std::vector<std::string> play_through(TPlayList& list, bool endless_loop, int most = 12) {
    std::vector<std::string> played;
    while (static_cast<int>(played.size()) < most) {
        const std::optional<PlayListNext> next = list.next_recording(endless_loop);
        if (!next)
            break;
        played.push_back(std::to_string(next->row) + (next->last ? "!" : ""));
    }
    return played;
}

TPlayList list_with_times(std::initializer_list<int> times, Tcupaitem& item) {
    TPlayList list;
    for (const int t : times)
        list.append({&item, 1, t});
    return list;
}

} // namespace

TEST(PlayListOrder, TimesEndlessLoopAndStartRow) {
    Tcupaitem item;
    TPlayList list = list_with_times({1, 1, 2}, item);
    list.start_playing(0);
    EXPECT_EQ(play_through(list, false), (std::vector<std::string>{"1", "2", "3", "3!"}));
    EXPECT_EQ(list.current_row(), 3);

    list.start_playing(0);
    EXPECT_EQ(play_through(list, true, 6),
              (std::vector<std::string>{"1", "2", "3", "3", "1", "2"}));

    list.start_playing(3); // start at the selected row
    EXPECT_EQ(play_through(list, false), (std::vector<std::string>{"3", "3!"}));

    // Rows to be played 0 times are passed over, also when they end the list
    // or the loop, and a list of nothing but such rows ends at once.
    TPlayList skipping = list_with_times({0, 2, 0}, item);
    skipping.start_playing(0);
    EXPECT_EQ(play_through(skipping, false), (std::vector<std::string>{"2", "2!"}));
    skipping.start_playing(0);
    EXPECT_EQ(play_through(skipping, true, 5), (std::vector<std::string>{"2", "2", "2", "2", "2"}));
    TPlayList silent = list_with_times({0, 0}, item);
    silent.start_playing(1);
    EXPECT_TRUE(play_through(silent, true).empty());
}

TEST(PlayListOrder, EditingKeepsOneRowAndMovesRows) {
    Tcupaitem a, b, c;
    TPlayList list;
    EXPECT_EQ(list.row_count(), 1);
    EXPECT_FALSE(list.has_recordings());
    list.append({&a, 1, 1}); // takes the empty row's place
    list.append({&b, 2, 1});
    list.append({&c, 3, 1});
    ASSERT_EQ(list.row_count(), 3);
    list.move_row(3, 1);
    EXPECT_EQ(list.row(1)->recording_item, &c);
    EXPECT_EQ(list.row(2)->recording_item, &a);
    list.move_row(1, 3);
    EXPECT_EQ(list.row(3)->recording_item, &c);
    EXPECT_FALSE(list.set_times(1, 1));
    EXPECT_TRUE(list.set_times(1, 250));
    EXPECT_EQ(list.row(1)->times, 99);

    list.set_current_row(3);
    list.delete_row(3);
    EXPECT_EQ(list.current_row(), 2);
    list.delete_row(1);
    list.delete_row(1);
    EXPECT_EQ(list.row_count(), 1);
    EXPECT_FALSE(list.row(1).has_value());
}

class PlayListFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data_ = load_sample_disc(); }
    static void TearDownTestSuite() { data_.reset(); }

    void SetUp() override {
        context_.texts =
            Ttextfile_handler(read_file(std::string(PEMMARO_SAMPLE_DISC_DIR) + "/Pemmaro.txt"));
        context_.product.product_title = "Birds of the Solvara Region";
        context_.product.product_version = "1.0";
    }
    void TearDown() override {
        set_profile_commit_hook(nullptr);
        set_file_fault(nullptr);
    }

    // A species with at least two shown recordings, the second of them.
    static Tcupaitem& second_recording() {
        for (Tspecies& species : data_->species_store) {
            Tcupaitem* first = species.first_recording_item;
            if (first && first->flag_p && first->next_item_of_species &&
                first->next_item_of_species->flag_p)
                return *first->next_item_of_species;
        }
        throw std::runtime_error("the sample disc has no species with two recordings");
    }
    static Tcupaitem& first_recording_of_other_species(const Tspecies& not_this) {
        for (Tspecies& species : data_->species_store) {
            if (&species != &not_this && species.first_recording_item &&
                species.first_recording_item->flag_p)
                return *species.first_recording_item;
        }
        throw std::runtime_error("the sample disc has one species with recordings");
    }

    std::optional<PlayListContent> load(const std::string& text) {
        write_file(dir_.file("list.pl"), text);
        return load_play_list(dir_.file("list.pl"), *data_, context_);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const MessageRequest& request : responder_.responder.requests)
            texts.push_back(request.text);
        return texts;
    }
    std::string line(const TextLine& line) const { return context_.texts.text(line); }
    std::string general(std::string_view title = "Birds of the Solvara Region",
                        std::string_view version = "1.0") const {
        return "[GENERAL]\r\nCDROM=" + std::string(title) + "\r\nVersion=" + std::string(version) +
               "\r\n";
    }

    static inline std::unique_ptr<Tdata> data_;
    TestContext context_;
    TempDir dir_;
    ScopedResponder responder_;
};

TEST_F(PlayListFiles, WrittenAndReadBack) {
    Tcupaitem& second = second_recording();
    Tcupaitem& other = first_recording_of_other_species(*second.species);
    PlayListContent content;
    content.list.append({&second, 2, 3});
    content.list.append({&other, 1, 0});
    content.options = {4, false, false, 2};
    content.endless_loop = true;
    ASSERT_TRUE(save_play_list(dir_.file("birds.pl"), content, context_.product));

    const std::string text = read_file(dir_.file("birds.pl"));
    const std::string code = cut_part_reference_code(*second.cut_part);
    EXPECT_NE(text.find("[GENERAL]\r\nCDROM=Birds of the Solvara Region\r\nVersion=1.0\r\n"
                        "Seconds between Sounds=4\r\nTell Species Names=No\r\n"
                        "Tell names Afterwards=No\r\nSeconds after Spoken Names=2\r\n"
                        "Endless Loop=Yes\r\n[RECORDINGS]\r\nR1=" +
                        std::to_string(second.species->unique_id) + "," + code + ",3\r\nR2="),
              std::string::npos)
        << text;

    const std::optional<PlayListContent> read =
        load_play_list(dir_.file("birds.pl"), *data_, context_);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(messages().empty());
    ASSERT_EQ(read->list.row_count(), 2);
    EXPECT_EQ(read->list.row(1)->recording_item, &second);
    EXPECT_EQ(read->list.row(1)->number, 2);
    EXPECT_EQ(read->list.row(1)->times, 3);
    EXPECT_EQ(read->list.row(2)->recording_item, &other);
    EXPECT_EQ(read->list.row(2)->times, 0);
    EXPECT_EQ(read->options, content.options);
    EXPECT_TRUE(read->endless_loop);

    // An empty list is one "x" record, and reads back empty; "x" rows are passed over.
    ASSERT_TRUE(save_play_list(dir_.file("empty.pl"), PlayListContent{}, context_.product));
    EXPECT_NE(read_file(dir_.file("empty.pl")).find("[RECORDINGS]\r\nR1=x\r\n"), std::string::npos);
    const std::optional<PlayListContent> empty =
        load(general() + "[RECORDINGS]\r\nR1=x\r\nR2=" + play_list_record({&second, 2, 1}) +
             "\r\nR3=x\r\n");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->list.row_count(), 1);
    EXPECT_EQ(empty->list.row(1)->recording_item, &second);
}

TEST_F(PlayListFiles, CodeWithoutSubLetterEndsWithABlank) {
    Tcutpart cut_part;
    cut_part.tape_number = 123;
    cut_part.side_letter = 'a';
    cut_part.cut_number = 45;
    Tspecies species;
    species.unique_id = 17;
    Tcupaitem item;
    item.cut_part = &cut_part;
    item.species = &species;
    EXPECT_EQ(play_list_record({&item, 1, 2}), "17,00123a0045 ,2");
}

TEST_F(PlayListFiles, OtherEditionsAndDamagedFilesAreReported) {
    const std::string good = play_list_record({&second_recording(), 2, 1});
    const std::string species = std::to_string(second_recording().species->unique_id);
    // Another product: refused.
    EXPECT_FALSE(load(general("Birds of Another Region") + "[RECORDINGS]\r\nR1=" + good));
    // Saved by an editor that marks UTF-8: read as any other.
    EXPECT_TRUE(load("\xef\xbb\xbf" + general() + "[RECORDINGS]\r\nR1=" + good));
    // Another version: a warning, then the list.
    EXPECT_TRUE(load(general("Birds of the Solvara Region", "2.0") + "[RECORDINGS]\r\nR1=" + good));
    // Damaged: no product, a species that is no number, an unknown code,
    // a record without its code, bytes that are no play list at all.
    EXPECT_FALSE(load("[GENERAL]\r\nVersion=1.0\r\n[RECORDINGS]\r\nR1=" + good));
    EXPECT_FALSE(load(general() + "[RECORDINGS]\r\nR1=" + good + "\r\nR2=robin,00001A0001 ,1"));
    EXPECT_FALSE(load(general() + "[RECORDINGS]\r\nR1=" + species + ",99999Z9999 ,1"));
    EXPECT_FALSE(load(general() + "[RECORDINGS]\r\nR1=" + species));
    EXPECT_FALSE(load(std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)));
    const std::string damaged = line(play_lists::damaged_file);
    EXPECT_EQ(messages(), (std::vector<std::string>{line(play_lists::other_product),
                                                    line(play_lists::other_version_1) + " " +
                                                        line(play_lists::other_version_2),
                                                    damaged, damaged, damaged, damaged, damaged}));
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::error);
    EXPECT_EQ(responder_.responder.requests[1].icon, MessageIcon::warning);
}

TEST_F(PlayListFiles, UnknownSpeciesAndRecordingsAreLeftOutWithOneWarning) {
    Tcupaitem& second = second_recording();
    Tcupaitem& other = first_recording_of_other_species(*second.species);
    // A species this data set lacks, a recording not of that species, a
    // hand-edited record that lost the code's blank and its times.
    std::string code = cut_part_reference_code(*other.cut_part);
    if (code.back() == ' ')
        code.pop_back();
    const std::optional<PlayListContent> read =
        load(general() + "[RECORDINGS]\r\nR1=999999," + cut_part_reference_code(*second.cut_part) +
             ",1\r\nR2=" + std::to_string(second.species->unique_id) + "," +
             cut_part_reference_code(*other.cut_part) +
             ",1\r\nR3= " + std::to_string(other.species->unique_id) + ", " + code + "\r\n");
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->list.row_count(), 1);
    EXPECT_EQ(read->list.row(1)->recording_item, &other);
    EXPECT_EQ(read->list.row(1)->times, 1);
    EXPECT_EQ(messages(), std::vector<std::string>{line(play_lists::recordings_missing)});
}

TEST_F(PlayListFiles, AnInterruptedOrFailedSaveKeepsTheOldList) {
    const std::string path = dir_.file("birds.pl");
    PlayListContent old_list;
    old_list.list.append({&second_recording(), 2, 2});
    ASSERT_TRUE(save_play_list(path, old_list, context_.product));
    const std::string old_text = read_file(path);

    PlayListContent new_list;
    new_list.endless_loop = true;
    // The writer is killed once the new list is in the temporary file, before
    // the rename; the next save replaces what it left.
    EXPECT_TRUE(kill_in_the_middle_of([&] { save_play_list(path, new_list, context_.product); }));
    EXPECT_EQ(read_file(path), old_text);
    EXPECT_TRUE(exists(path + ".saving"));
    for (int round = 0; round < 10; ++round) {
        kill_while_saving(
            [&] {
                save_play_list(path, new_list, context_.product);
                save_play_list(path, old_list, context_.product);
            },
            std::chrono::microseconds(300 + 731 * round));
        const std::string now = read_file(path);
        ASSERT_TRUE(now == old_text || now == play_list_file_text(new_list, context_.product))
            << "round " << round;
    }
    ASSERT_TRUE(save_play_list(path, old_list, context_.product));
    EXPECT_FALSE(exists(path + ".saving"));
    // A save that finds nothing to change also clears what a killed one left.
    write_file(path + ".saving", "half a list");
    ASSERT_TRUE(save_play_list(path, old_list, context_.product));
    EXPECT_FALSE(exists(path + ".saving"));

    // A full disk: the message, and the old list stays.
    for (FileWrite failing : {FileWrite::open, FileWrite::write}) {
        set_file_fault([failing](FileWrite operation, const std::string&) {
            return operation == failing ? ENOSPC : 0;
        });
        responder_.responder.requests.clear();
        EXPECT_FALSE(save_play_list(path, new_list, context_.product));
        set_file_fault(nullptr);
        ASSERT_FALSE(messages().empty());
        EXPECT_EQ(messages().front(), "File creation went wrong!");
        EXPECT_EQ(read_file(path), old_text);
        EXPECT_FALSE(exists(path + ".saving"));
    }

    // A folder that does not exist, or cannot be written: the message, and the old list stays.
    EXPECT_FALSE(save_play_list(dir_.file("gone/birds.pl"), new_list, context_.product));
    ::chmod(dir_.path().c_str(), 0500);
    const bool saved = save_play_list(path, new_list, context_.product);
    ::chmod(dir_.path().c_str(), 0700);
    if (::geteuid() != 0) { // root writes anywhere
        EXPECT_FALSE(saved);
    }
    EXPECT_EQ(messages().front(), "File creation went wrong!");
    if (!saved) {
        EXPECT_EQ(read_file(path), old_text);
    }
    const std::optional<PlayListContent> read = load_play_list(path, *data_, context_);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->list.row_count(), 1);
}
