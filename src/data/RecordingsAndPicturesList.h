#pragma once
// What a browsing window's shows have shown and played, so that the user can
// look up afterwards what was seen and heard. One list per browsing window;
// the shows add to it and its window shows it. Keeps the newest 200 entries;
// the running number goes on counting when old entries are dropped.
//
// User-interface thread only.

#include <deque>
#include <functional>
#include <string>

namespace pemmaro {

struct Tbig_picture;
struct Tspecies;
class Ttextfile_handler;

struct TRecordingsAndOrPicturesEntry {
    const Tspecies* species = nullptr;
    int picture_number = 0;   // 0: no picture
    int recording_number = 0; // 0: no recording
    std::string text;         // the line the window shows (Windows-1252)
};

class TRecordingsAndOrPicturesList {
public:
    // The species' title in the window's current name options.
    using TitleProvider = std::function<std::string(const Tspecies& species)>;

    static constexpr int most_entries = 200;

    // The words for pictures and recordings come from "KZ_LISTS".
    TRecordingsAndOrPicturesList(const Ttextfile_handler& texts, TitleProvider title_provider);

    // A big picture shown: its species and its number within the species.
    void AddPicture(const Tbig_picture& picture);
    void AddRecording(const Tspecies& species, int recording_number);
    // A picture shown with one of its species' recordings.
    void AddPictureAndRecording(const Tspecies& species, int picture_number, int recording_number);

    // A rebuilt display starts a list of its own: no entries, counting from 1.
    void Clear();

    int Count() const { return static_cast<int>(Entries.size()); }
    // The running number of the newest entry; 0 before the first.
    int Counter() const { return counter_; }
    // Oldest first.
    std::deque<TRecordingsAndOrPicturesEntry> Entries;

    // Every entry's text as a line, oldest first.
    std::string Text() const;

    // Called after every change, so that a window showing the list repaints.
    void set_changed_handler(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    void add(const Tspecies& species, int picture_number, int recording_number);
    void notify() const;

    std::string pictures_word_;
    std::string recordings_word_;
    TitleProvider title_provider_;
    int counter_ = 0;
    std::function<void()> changed_;
};

} // namespace pemmaro
