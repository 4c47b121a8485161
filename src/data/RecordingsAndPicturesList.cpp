#include "data/RecordingsAndPicturesList.h"

#include "common/LanguageTexts.h"
#include "common/TextLines.h"
#include "data/DataSet.h"

namespace pemmaro {

TRecordingsAndOrPicturesList::TRecordingsAndOrPicturesList(const Ttextfile_handler& texts,
                                                           TitleProvider title_provider)
    : pictures_word_(texts.text(kz_lists::pictures))
    , recordings_word_(texts.text(kz_lists::recordings))
    , title_provider_(std::move(title_provider)) {}

void TRecordingsAndOrPicturesList::AddPicture(const Tbig_picture& picture) {
    if (picture.species)
        add(*picture.species, picture.picture_number, 0);
}

void TRecordingsAndOrPicturesList::AddRecording(const Tspecies& species, int recording_number) {
    add(species, 0, recording_number);
}

void TRecordingsAndOrPicturesList::AddPictureAndRecording(const Tspecies& species,
                                                          int picture_number,
                                                          int recording_number) {
    add(species, picture_number, recording_number);
}

void TRecordingsAndOrPicturesList::Clear() {
    Entries.clear();
    counter_ = 0;
    notify();
}

void TRecordingsAndOrPicturesList::add(const Tspecies& species, int picture_number,
                                       int recording_number) {
    if (Count() == most_entries)
        Entries.pop_front();
    ++counter_;
    std::string label;
    std::string numbers;
    if (recording_number == 0) {
        label = pictures_word_;
        numbers = std::to_string(picture_number);
    } else if (picture_number != 0) {
        label = pictures_word_ + " & " + recordings_word_;
        numbers = std::to_string(picture_number) + "," + std::to_string(recording_number);
    } else {
        label = recordings_word_;
        numbers = std::to_string(recording_number);
    }
    const std::string title = title_provider_ ? title_provider_(species) : species.scientific_name;
    Entries.push_back(
        {&species, picture_number, recording_number,
         std::to_string(counter_) + ": " + label + ": " + title + " (" + numbers + ")"});
    notify();
}

std::string TRecordingsAndOrPicturesList::Text() const {
    std::string text;
    for (std::size_t i = 0; i < Entries.size(); ++i)
        text += (i == 0 ? "" : "\n") + Entries[i].text;
    return text;
}

void TRecordingsAndOrPicturesList::notify() const {
    if (changed_)
        changed_();
}

} // namespace pemmaro
