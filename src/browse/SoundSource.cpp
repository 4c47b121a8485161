#include "browse/SoundSource.h"

#include "browse/DisplayLines.h"
#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/DataPaths.h"
#include "common/ProgramFolders.h"
#include "data/DataSet.h"
#include "data/SoundFilePaths.h"
#include "platform/Paths.h"

#include <cstdio>

namespace pemmaro {

std::string seconds_text(int milliseconds, char decimal_separator) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", milliseconds / 1000.0);
    std::string text = buffer;
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text[point] = decimal_separator;
    return text;
}

MessageText sound_source_description(const Tcutpart& cut_part, const CoreContext& context) {
    const Ttextfile_handler& texts = context.texts;
    const char separator = context.common.decimal_separator;
    // The path is shown as it is on disk: on a case-sensitive file system a
    // lower-cased path would name a file that need not exist.
    if (cut_part.is_sound_file || cut_part.audio_cd == nullptr)
        return shstr_text(texts, kz_shstr::sound_file) + ": " +
               system_text(cut_part_sound_file_path(cut_part, base_directory()));
    const TaudioCD& cd = *cut_part.audio_cd;
    MessageText text = shstr_text(texts, kz_shstr::audio_cd) + " \"" + cd.media_text_1 + "\"\n" +
                       shstr_text(texts, kz_shstr::track) + " " + std::to_string(cut_part.track);
    if (cut_part.offset_ms > 0)
        text += ", " + shstr_text(texts, kz_shstr::starting_at) + " " +
                seconds_text(cut_part.offset_ms, separator) + " " +
                shstr_text(texts, kz_shstr::seconds);
    text += ", " + shstr_text(texts, kz_shstr::length) + " " +
            seconds_text(cut_part.length_ms, separator) + " " +
            shstr_text(texts, kz_shstr::seconds) + ".";
    if (cd.on_hard_disk)
        text +=
            "\n" + shstr_text(texts, kz_shstr::played_from_hard_disk_file) + " '" +
            system_text(copied_track_path(cd.hard_disk_directory, cut_part.track).value_or("")) +
            "'.";
    return text;
}

} // namespace pemmaro
