#pragma once
// Two recordings for the players and sound bars, with what the fake devices
// hold of them: a sound file of the data disc (tape 7, side A, cut 5; 12 s by
// the data file, 12.34 s when measured) and a 5-second span from 10 s into
// track 2 of an audio CD that the fake drive holds.

#include "FakeMediaDevices.h"
#include "data/DataSet.h"

#include <string>

namespace pemmaro::test {

struct SampleRecordings {
    SampleRecordings(FakeMediaDevices& devices, const std::string& base_directory) {
        file_cut.tape_number = 7;
        file_cut.side_letter = 'A';
        file_cut.cut_number = 5;
        file_cut.compression_number = 1;
        file_cut.length_ms = 12000;
        file_cut.length_from_file = true;
        file_item.cut_part = &file_cut;
        devices.files[sound_file(base_directory)] = 12340;

        cd.media_text_3 = "3;2;245;511"; // the identity of the disc in the fake drive
        cd_cut.is_sound_file = false;
        cd_cut.audio_cd = &cd;
        cd_cut.track = 2;
        cd_cut.offset_ms = 10000;
        cd_cut.length_ms = 5000;
        cd_item.cut_part = &cd_cut;
        devices.tracks = {{2000, 243000}, {245000, 266000}, {511000, 100000}};
    }
    SampleRecordings(const SampleRecordings&) = delete;
    SampleRecordings& operator=(const SampleRecordings&) = delete;

    static std::string sound_file(const std::string& base) { return base + "tapes/07/A05_R.WAV"; }

    Tcutpart file_cut, cd_cut;
    Tcupaitem file_item, cd_item;
    TaudioCD cd;
};

} // namespace pemmaro::test
