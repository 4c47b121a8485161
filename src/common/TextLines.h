#pragma once
// The lines of the language text file that the program reads by number,
// named per section (the namespace is the section's name in lower case), so
// that text(audio_cd_2::unknown_disc) reads as what it shows.

#include <string_view>

namespace pemmaro {

struct TextLine {
    std::string_view section;
    int number; // counted from 1
};

namespace messages_caption {
inline constexpr TextLine caption{"MESSAGES_CAPTION", 1};
}

namespace out_of_memory {
inline constexpr TextLine message{"OUT_OF_MEMORY", 1};
}

// The product number file's messages and the country texts.
namespace kz_globs {
inline constexpr TextLine file_not_found_before_name{"KZ_GLOBS", 1};
inline constexpr TextLine file_not_found_after_name{"KZ_GLOBS", 2};
inline constexpr TextLine file_unreadable{"KZ_GLOBS", 3};
inline constexpr TextLine not_in_home_country{"KZ_GLOBS", 4};
inline constexpr TextLine outside_home_country{"KZ_GLOBS", 5};
inline constexpr TextLine and_second_country{"KZ_GLOBS", 6};
} // namespace kz_globs

// The data file reader's fatal reports.
namespace kz_data {
inline constexpr TextLine input_output_error{"KZ_DATA", 1};
inline constexpr TextLine with_data_file{"KZ_DATA", 2};
inline constexpr TextLine error_in_data_file{"KZ_DATA", 3};
inline constexpr TextLine the_section{"KZ_DATA", 4};
inline constexpr TextLine is_missing{"KZ_DATA", 5};
} // namespace kz_data

namespace basedir {
inline constexpr TextLine question{"BASEDIR", 1};
inline constexpr TextLine folders_to_choose{"BASEDIR", 2};
} // namespace basedir

namespace other_instance {
inline constexpr TextLine already_running{"OTHER_INSTANCE", 1};
inline constexpr TextLine start_again{"OTHER_INSTANCE", 2};
} // namespace other_instance

namespace ssp {
inline constexpr TextLine subspecies{"SSP", 1};
inline constexpr TextLine not_certain{"SSP", 2};
inline constexpr TextLine subspecies_not_certain{"SSP", 3};
} // namespace ssp

namespace kz_child {
inline constexpr TextLine no_bird_name_before{"KZ_CHILD", 1};
inline constexpr TextLine no_bird_name_after{"KZ_CHILD", 2};
} // namespace kz_child

namespace f3 {
inline constexpr TextLine key_name{"F3", 1};
}

namespace find_db {
inline constexpr TextLine caption{"FIND_DB", 1};
inline constexpr TextLine search_from_top{"FIND_DB", 2};
} // namespace find_db

// The name options dialog.
namespace kz_names_db {
inline constexpr TextLine caption{"KZ_NAMES_DB", 1};
inline constexpr TextLine show_other_language_names{"KZ_NAMES_DB", 2};
inline constexpr TextLine show_scientific_names{"KZ_NAMES_DB", 3};
inline constexpr TextLine in_first_position{"KZ_NAMES_DB", 4};
inline constexpr TextLine other_language_name_first{"KZ_NAMES_DB", 5};
inline constexpr TextLine scientific_name_first{"KZ_NAMES_DB", 6};
} // namespace kz_names_db

// The browsing window's menu captions.
namespace menus {
inline constexpr TextLine file{"MENUS", 1};
inline constexpr TextLine new_window{"MENUS", 2};
inline constexpr TextLine fold_all{"MENUS", 3};
inline constexpr TextLine my_audio_cds{"MENUS", 4};
inline constexpr TextLine slides_and_sounds_show{"MENUS", 5};
inline constexpr TextLine what_was_that{"MENUS", 6};
inline constexpr TextLine play_lists{"MENUS", 7};
inline constexpr TextLine exit{"MENUS", 8};
inline constexpr TextLine close{"MENUS", 9};
inline constexpr TextLine search{"MENUS", 10};
inline constexpr TextLine find{"MENUS", 11};
inline constexpr TextLine find_again{"MENUS", 12};
inline constexpr TextLine view{"MENUS", 13};
inline constexpr TextLine site_descriptions{"MENUS", 14};
inline constexpr TextLine sound{"MENUS", 15};
inline constexpr TextLine show_name_of_sound_file{"MENUS", 16};
inline constexpr TextLine load_into_sound_editor{"MENUS", 17};
inline constexpr TextLine options{"MENUS", 18};
inline constexpr TextLine show_intro_screen{"MENUS", 19};
inline constexpr TextLine names{"MENUS", 20};
inline constexpr TextLine text_size{"MENUS", 21};
inline constexpr TextLine show_all_birds_of{"MENUS", 22};
inline constexpr TextLine show_birds_of_other_countries{"MENUS", 23};
inline constexpr TextLine show_threatened_statuses{"MENUS", 24};
inline constexpr TextLine database_order{"MENUS", 25};
inline constexpr TextLine clements_order{"MENUS", 26};
inline constexpr TextLine sibley_and_monroe_order{"MENUS", 27};
inline constexpr TextLine select_area{"MENUS", 28};
inline constexpr TextLine web_browser_settings{"MENUS", 29};
inline constexpr TextLine select_sound_editor{"MENUS", 30};
inline constexpr TextLine copy_data_to_hard_disk{"MENUS", 31};
inline constexpr TextLine cd_rom_drive_for_audio_cds{"MENUS", 32};
inline constexpr TextLine help{"MENUS", 33};
inline constexpr TextLine help_topics{"MENUS", 34};
inline constexpr TextLine readme{"MENUS", 35};
inline constexpr TextLine recent_info_on_the_web{"MENUS", 36};
inline constexpr TextLine about{"MENUS", 37};
} // namespace menus

// The texts of the display lines.
namespace kz_shstr {
inline constexpr TextLine also_audible{"KZ_SHSTR", 1};
inline constexpr TextLine no_other_species{"KZ_SHSTR", 2};
inline constexpr TextLine certainty_of_identification{"KZ_SHSTR", 3};
inline constexpr TextLine accidental{"KZ_SHSTR", 4};
inline constexpr TextLine migrant{"KZ_SHSTR", 5};
inline constexpr TextLine recorded_by{"KZ_SHSTR", 6};
inline constexpr TextLine author{"KZ_SHSTR", 7};
inline constexpr TextLine monotypic{"KZ_SHSTR", 8};
inline constexpr TextLine subspecies{"KZ_SHSTR", 9};
inline constexpr TextLine subspecies_not_known{"KZ_SHSTR", 10};
inline constexpr TextLine not_certain{"KZ_SHSTR", 12};
inline constexpr TextLine endemic{"KZ_SHSTR", 13};
// Lines 14 to 17: the threatened statuses 1 (vulnerable) to 4 (extinct).
inline constexpr TextLine threat_status(int status) {
    return {"KZ_SHSTR", 13 + status};
}
inline constexpr TextLine sound_file{"KZ_SHSTR", 18};
inline constexpr TextLine audio_cd{"KZ_SHSTR", 19};
inline constexpr TextLine track{"KZ_SHSTR", 20};
inline constexpr TextLine starting_at{"KZ_SHSTR", 21};
inline constexpr TextLine seconds{"KZ_SHSTR", 22};
inline constexpr TextLine length{"KZ_SHSTR", 23};
inline constexpr TextLine played_from_hard_disk_file{"KZ_SHSTR", 24};
} // namespace kz_shstr

namespace audio_cd {
// The dialog choosing the drive.
inline constexpr TextLine drive_caption{"AUDIO_CD", 1};
inline constexpr TextLine which_drive{"AUDIO_CD", 2};
inline constexpr TextLine drive{"AUDIO_CD", 3};
inline constexpr TextLine not_the_expected_cd{"AUDIO_CD", 4};
inline constexpr TextLine play_anyway{"AUDIO_CD", 5};
inline constexpr TextLine no_disc_insert_cd{"AUDIO_CD", 6};
// After the number of the last drive: the folder of audio CD images.
inline constexpr TextLine cd_image_changer{"AUDIO_CD", 7};
} // namespace audio_cd

// The sentence around the web link of the audio CD information window.
namespace audio_cd_3 {
inline constexpr TextLine more_about_this_cd{"AUDIO_CD_3", 1};
inline constexpr TextLine link{"AUDIO_CD_3", 2};
inline constexpr TextLine after_link{"AUDIO_CD_3", 3};
} // namespace audio_cd_3

// The dialog choosing the audio CDs the user owns and keeps on the hard disk.
namespace my_audio_cds {
inline constexpr TextLine caption{"MY_AUDIO_CDS", 1};
inline constexpr TextLine show_cd{"MY_AUDIO_CDS", 2};
inline constexpr TextLine copy_on_hard_disk{"MY_AUDIO_CDS", 3};
inline constexpr TextLine drive_button{"MY_AUDIO_CDS", 4};
inline constexpr TextLine help_button{"MY_AUDIO_CDS", 5};
inline constexpr TextLine no_folder_before_name{"MY_AUDIO_CDS", 6};
inline constexpr TextLine no_folder_after_name{"MY_AUDIO_CDS", 7};
} // namespace my_audio_cds

// Copying the data folders to the hard disk.
namespace copy_to_hard_disk {
inline constexpr TextLine folder_caption{"COPY_TO_HARD_DISK", 1};
inline constexpr TextLine not_on_cd_rom{"COPY_TO_HARD_DISK", 10};
inline constexpr TextLine copying_data_files{"COPY_TO_HARD_DISK", 11};
inline constexpr TextLine copying{"COPY_TO_HARD_DISK", 12};
inline constexpr TextLine abort_button{"COPY_TO_HARD_DISK", 13};
inline constexpr TextLine succeeded_before_folder{"COPY_TO_HARD_DISK", 14};
inline constexpr TextLine succeeded_after_folder{"COPY_TO_HARD_DISK", 15};
inline constexpr TextLine succeeded_last_line{"COPY_TO_HARD_DISK", 16};
inline constexpr TextLine failed_before_folder{"COPY_TO_HARD_DISK", 17};
inline constexpr TextLine failed_after_folder{"COPY_TO_HARD_DISK", 18};
inline constexpr TextLine failed_last_line{"COPY_TO_HARD_DISK", 19};
inline constexpr TextLine aborted{"COPY_TO_HARD_DISK", 20};
inline constexpr TextLine aborted_last_line{"COPY_TO_HARD_DISK", 21};
inline constexpr TextLine inside_data_folder{"COPY_TO_HARD_DISK", 22};
} // namespace copy_to_hard_disk

// The status line's description of the disc in the drive.
namespace audio_cd_2 {
inline constexpr TextLine no_disc{"AUDIO_CD_2", 1};
inline constexpr TextLine in_the_drive{"AUDIO_CD_2", 2};
inline constexpr TextLine unknown_disc{"AUDIO_CD_2", 3};
} // namespace audio_cd_2

namespace kz_soundbar {
inline constexpr TextLine no_sound_output{"KZ_SOUNDBAR", 1};
}

namespace browser_settings_dialog {
inline constexpr TextLine caption{"BROWSER_SETTINGS_DIALOG", 1};
inline constexpr TextLine use_integrated_browser{"BROWSER_SETTINGS_DIALOG", 2};
inline constexpr TextLine use_only_one_window{"BROWSER_SETTINGS_DIALOG", 3};
} // namespace browser_settings_dialog

// The labels before a person's two texts in the person pop-up.
namespace personal {
inline constexpr TextLine text_1_label{"PERSONAL", 1};
inline constexpr TextLine text_2_label{"PERSONAL", 2};
} // namespace personal

// The threatened-status explanation.
namespace threatenedbirds {
// Lines 1 to 3: the meaning of the categories in the order they are shown.
inline constexpr TextLine meaning(int shown) {
    return {"THREATENEDBIRDS", shown};
}
inline constexpr TextLine taken_from{"THREATENEDBIRDS", 4};
inline constexpr TextLine published_by{"THREATENEDBIRDS", 5};
inline constexpr TextLine and_by{"THREATENEDBIRDS", 6};
} // namespace threatenedbirds

// The published source of the threat categories: its title, its publishers and
// the first publisher's web address.
namespace threat_source {
inline constexpr TextLine title{"THREAT_SOURCE", 1};
inline constexpr TextLine first_publisher{"THREAT_SOURCE", 2};
inline constexpr TextLine first_publisher_address{"THREAT_SOURCE", 3};
inline constexpr TextLine second_publisher{"THREAT_SOURCE", 4};
} // namespace threat_source

// The about window: line 1 follows the product title in the caption.
namespace kz_about {
inline constexpr TextLine caption_suffix{"KZ_ABOUT", 1};
inline constexpr TextLine subtitle{"KZ_ABOUT", 2};
inline constexpr TextLine version{"KZ_ABOUT", 3};
inline constexpr TextLine sound_recordings{"KZ_ABOUT", 4};
inline constexpr TextLine photographs{"KZ_ABOUT", 5};
inline constexpr TextLine species_texts{"KZ_ABOUT", 6};
// Lines 7 to 11: the headings of the credits named in "ABOUT_CREDITS".
inline constexpr TextLine further_heading(int n) {
    return {"KZ_ABOUT", 6 + n};
}
inline constexpr TextLine click_a_name{"KZ_ABOUT", 12};
inline constexpr TextLine more_on_the_web{"KZ_ABOUT", 13};
inline constexpr TextLine copyright{"KZ_ABOUT", 14};
inline constexpr TextLine all_rights_reserved{"KZ_ABOUT", 15};
inline constexpr TextLine no_copies{"KZ_ABOUT", 16};
} // namespace kz_about

// The edition's credits beyond its data: lines 1 to 5 the names under the
// further headings (separated by ", "), 6 the maker, 7 the maker's web address.
namespace about_credits {
inline constexpr int further_headings = 5;
inline constexpr TextLine names_under(int n) {
    return {"ABOUT_CREDITS", n};
}
inline constexpr TextLine maker{"ABOUT_CREDITS", 6};
inline constexpr TextLine maker_address{"ABOUT_CREDITS", 7};
} // namespace about_credits

namespace kz_intro {
inline constexpr TextLine subtitle{"KZ_INTRO", 1};
inline constexpr TextLine how_to_close{"KZ_INTRO", 2};
} // namespace kz_intro
// The select-area window of the region.
namespace select_area {
inline constexpr TextLine caption{"SELECT AREA", 1};
inline constexpr TextLine clear_all{"SELECT AREA", 2};
inline constexpr TextLine select_all{"SELECT AREA", 3};
} // namespace select_area

// The text below a distribution map.
namespace kz_mapwn {
inline constexpr TextLine distribution{"KZ_MAPWN", 1};
inline constexpr TextLine description{"KZ_MAPWN", 2};
inline constexpr TextLine locality{"KZ_MAPWN", 3};
inline constexpr TextLine prefix{"KZ_MAPWN", 4};
inline constexpr TextLine province_label{"KZ_MAPWN", 7};
inline constexpr TextLine country_label{"KZ_MAPWN", 8};
inline constexpr TextLine coordinates{"KZ_MAPWN", 9};
inline constexpr TextLine north{"KZ_MAPWN", 10};
inline constexpr TextLine south{"KZ_MAPWN", 11};
inline constexpr TextLine east{"KZ_MAPWN", 12};
inline constexpr TextLine west{"KZ_MAPWN", 13};
inline constexpr TextLine see_the{"KZ_MAPWN", 14};
inline constexpr TextLine site_description{"KZ_MAPWN", 15};
} // namespace kz_mapwn

namespace kz_pictures {
inline constexpr TextLine few_colours_before_count{"KZ_PICTURES", 1};
inline constexpr TextLine few_colours_after_count{"KZ_PICTURES", 2};
inline constexpr TextLine previous_hint{"KZ_PICTURES", 3};
inline constexpr TextLine next_hint{"KZ_PICTURES", 4};
inline constexpr TextLine information_hint{"KZ_PICTURES", 5};
inline constexpr TextLine credit_hint{"KZ_PICTURES", 6};
inline constexpr TextLine colour_caption{"KZ_PICTURES", 7};
inline constexpr TextLine colour_hint{"KZ_PICTURES", 8};
} // namespace kz_pictures

namespace site_descriptions {
inline constexpr TextLine caption{"SITE DESCRIPTIONS", 1};
inline constexpr TextLine file_label{"SITE DESCRIPTIONS", 2};
} // namespace site_descriptions

// The window listing what a browsing window's shows have shown and played.
namespace kz_show_lists {
inline constexpr TextLine caption{"KZ_SHOW_LISTS", 1};
inline constexpr TextLine edit_menu{"KZ_SHOW_LISTS", 2};
inline constexpr TextLine copy_to_clipboard{"KZ_SHOW_LISTS", 3};
} // namespace kz_show_lists

// The words that name an entry of that list.
namespace kz_lists {
inline constexpr TextLine pictures{"KZ_LISTS", 1};
inline constexpr TextLine recordings{"KZ_LISTS", 2};
} // namespace kz_lists

// The play list window and its file's messages.
namespace play_lists {
inline constexpr TextLine caption{"PLAY_LISTS", 1};
inline constexpr TextLine untitled{"PLAY_LISTS", 2};
inline constexpr TextLine file_menu{"PLAY_LISTS", 3};
inline constexpr TextLine new_list{"PLAY_LISTS", 4};
inline constexpr TextLine open_list{"PLAY_LISTS", 5};
inline constexpr TextLine save{"PLAY_LISTS", 6};
inline constexpr TextLine save_as{"PLAY_LISTS", 7};
inline constexpr TextLine play{"PLAY_LISTS", 8};
inline constexpr TextLine stop{"PLAY_LISTS", 9};
inline constexpr TextLine help{"PLAY_LISTS", 10};
inline constexpr TextLine endless_loop{"PLAY_LISTS", 11};
inline constexpr TextLine start_at_selected{"PLAY_LISTS", 12};
inline constexpr TextLine times_heading{"PLAY_LISTS", 13};
inline constexpr TextLine open_filter{"PLAY_LISTS", 14};
inline constexpr TextLine save_filter{"PLAY_LISTS", 15};
inline constexpr TextLine save_changes_before_name{"PLAY_LISTS", 16};
inline constexpr TextLine save_changes_after_name{"PLAY_LISTS", 17};
inline constexpr TextLine other_product{"PLAY_LISTS", 18};
inline constexpr TextLine other_version_1{"PLAY_LISTS", 19};
inline constexpr TextLine other_version_2{"PLAY_LISTS", 20};
inline constexpr TextLine damaged_file{"PLAY_LISTS", 21};
inline constexpr TextLine recordings_missing{"PLAY_LISTS", 22};
inline constexpr TextLine number_heading{"PLAY_LISTS", 23};
inline constexpr TextLine recording_heading{"PLAY_LISTS", 24};
} // namespace play_lists

namespace play_sound_options_frame {
inline constexpr TextLine pause_before_spoken_names{"PLAY_SOUND_OPTIONS_FRAME", 1};
inline constexpr TextLine tell_species_names{"PLAY_SOUND_OPTIONS_FRAME", 2};
inline constexpr TextLine pause_after_spoken_names{"PLAY_SOUND_OPTIONS_FRAME", 3};
inline constexpr TextLine tell_names_afterwards{"PLAY_SOUND_OPTIONS_FRAME", 4};
inline constexpr TextLine pause_between_recordings{"PLAY_SOUND_OPTIONS_FRAME", 5};
} // namespace play_sound_options_frame

// The sonogram pane.
namespace kz_sonogram {
inline constexpr TextLine menu_item{"KZ_SONOGRAM", 1};
inline constexpr TextLine caption{"KZ_SONOGRAM", 2};
inline constexpr TextLine nothing_to_show{"KZ_SONOGRAM", 3};
inline constexpr TextLine picture_menu{"KZ_SONOGRAM", 4};
inline constexpr TextLine export_png{"KZ_SONOGRAM", 5};
inline constexpr TextLine copy{"KZ_SONOGRAM", 6};
inline constexpr TextLine view_menu{"KZ_SONOGRAM", 7};
inline constexpr TextLine window_size{"KZ_SONOGRAM", 8};
inline constexpr TextLine frequency_range{"KZ_SONOGRAM", 9};
inline constexpr TextLine dynamic_range{"KZ_SONOGRAM", 10};
inline constexpr TextLine samples{"KZ_SONOGRAM", 11};
inline constexpr TextLine sound_unreadable{"KZ_SONOGRAM", 12};
inline constexpr TextLine not_saved{"KZ_SONOGRAM", 13};
inline constexpr TextLine png_files{"KZ_SONOGRAM", 14};
} // namespace kz_sonogram

// The show settings dialog.
namespace show_settings_db {
inline constexpr TextLine caption{"SHOW_SETTINGS_DB", 1};
inline constexpr TextLine slides_only{"SHOW_SETTINGS_DB", 2};
inline constexpr TextLine sounds_only{"SHOW_SETTINGS_DB", 3};
inline constexpr TextLine slides_and_sounds{"SHOW_SETTINGS_DB", 4};
inline constexpr TextLine slides{"SHOW_SETTINGS_DB", 5};
inline constexpr TextLine every_x_seconds_1{"SHOW_SETTINGS_DB", 6};
inline constexpr TextLine every_x_seconds_2{"SHOW_SETTINGS_DB", 7};
inline constexpr TextLine show_species_names{"SHOW_SETTINGS_DB", 8};
inline constexpr TextLine sounds{"SHOW_SETTINGS_DB", 9};
inline constexpr TextLine quality_best{"SHOW_SETTINGS_DB", 10};
inline constexpr TextLine quality_good{"SHOW_SETTINGS_DB", 11};
inline constexpr TextLine quality_all{"SHOW_SETTINGS_DB", 12};
inline constexpr TextLine kind_of_show{"SHOW_SETTINGS_DB", 13};
inline constexpr TextLine recordings{"SHOW_SETTINGS_DB", 14};
} // namespace show_settings_db

// The window that plays recordings by itself.
namespace sound_demo {
inline constexpr TextLine caption{"SOUND_DEMO", 1};
}

} // namespace pemmaro
