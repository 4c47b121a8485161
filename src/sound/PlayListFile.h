#pragma once
// Play list files: an INI text file holding the product it was made for, the
// sound options, the endless loop and one record per row. Loading reports a
// file of another product or version, a damaged file and recordings this data
// set lacks with the language file's messages; saving replaces the file only
// once the new one is complete. User-interface thread only (messages).

#include "sound/PlayList.h"

#include <optional>
#include <string>

namespace pemmaro {

class Tdata;
struct CoreContext;
struct ProductSettings;

inline constexpr const char* play_list_extension = "pl";

// What a play list file holds.
struct PlayListContent {
    TPlayList list;
    TSoundOptions options;
    bool endless_loop = false;
};

// The file's text: section GENERAL, then the records R1..Rn of section
// RECORDINGS ("x" for the empty row).
std::string play_list_file_text(const PlayListContent& content, const ProductSettings& product);

// A record's value: species unique ID, recording code, times.
std::string play_list_record(const TPlayListInfo& info);

// Writes the file through a temporary file beside it and a rename: a failed
// or interrupted save leaves the old file as it was. On failure shows
// "File creation went wrong!" and returns false.
bool save_play_list(const std::string& path, const PlayListContent& content,
                    const ProductSettings& product);

// Reads the file, showing the messages of what was wrong with it; none when it
// could not be loaded (then nothing of it is to be used). Without spoken names
// in the product the tell options read as off.
std::optional<PlayListContent> load_play_list(const std::string& path, const Tdata& data,
                                              const CoreContext& context);

// The list's name: the file name without its folder and without ".pl".
std::string play_list_name(const std::string& path);

} // namespace pemmaro
