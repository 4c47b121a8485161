#pragma once
// The help: an HTML document beside the program, shown like any other page
// (the integrated browser or the desktop's), one anchor per help context.

#include <string>
#include <string_view>

namespace pemmaro {

inline constexpr std::string_view help_context_contents = "contents";
inline constexpr std::string_view help_context_play_lists = "play-lists";
inline constexpr std::string_view help_context_audio_cds = "audio-cds";

// The help file's path, followed by "#" and the anchor when one is given.
std::string help_address(std::string_view anchor = {});

void show_help_contents();
void show_help_context(std::string_view anchor);

} // namespace pemmaro
