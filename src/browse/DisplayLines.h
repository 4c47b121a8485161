#pragma once
// The foldable list of display lines of one browsing window: family rows,
// species rows under an unfolded family, species details under an unfolded
// species, recording details under an unfolded details box. Built lazily as
// the user unfolds and shrunk again as the user folds; nothing is rebuilt on
// paint. Widgets reach in through seams (sound bar controls, small pictures,
// the surface's widths), so the model is built and tested without windows.

#include "common/CoreContext.h"
#include "common/TextEngine.h"
#include "common/TextLines.h"
#include "data/DataSet.h"
#include "data/SmallPictureSource.h"
#include "data/VisibleSpecies.h"

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

enum LineKind : std::uint8_t {
    lkFamilyBox = 1,
    lkFamilyHeader = 2,
    lkFamilyScientificName = 3,
    lkFamilyOtherName = 4,
    lkSpeciesBox = 5,
    lkSpeciesHeader = 6,
    lkSpeciesScientificName = 7,
    lkSpeciesOtherName = 8,
    lkMapMark = 9,
    lkMediaMark = 10,
    lkOccurrenceNote = 11,
    lkThreatStatus = 12,
    lkSpeciesExtra = 13,
    lkSpeciesText = 14,
    lkSmallPicture = 15,
    lkSubspeciesHeader = 16,
    lkSubspeciesPictures = 17,
    lkRecordingNumber = 18,
    lkSoundBar = 19,
    lkAudioCDLine = 20,
    lkDetailsBox = 21,
    lkRecordingLabel = 22,
    lkRecordingText = 23,
    lkRecordingPercent = 24,
    lkRecordistLine = 25,
    lkLocalityLine = 26,
    lkAlsoAudibleLine = 27
};

bool is_fold_box(LineKind kind);
bool is_header(LineKind kind);
bool is_numbered(LineKind kind);
bool is_name_line(LineKind kind);
bool is_bitmap_line(LineKind kind);
bool is_paragraph(LineKind kind);

// The display's bitmaps, numbered as the line display draws them.
enum DisplayBitmap : int {
    bitmap_none = 0,
    bitmap_family_plus = 1,
    bitmap_family_minus = 2,
    bitmap_species_plus = 3,
    bitmap_species_minus = 4,
    bitmap_invisible_box = 5,
    bitmap_pictures = 6,
    bitmap_recordings = 7,
    bitmap_pictures_and_recordings = 8,
    bitmap_little_plus = 9,
    bitmap_little_minus = 10,
    bitmap_little_map = 11
};

// Resource names and drawing offsets (dx, dy from the pen at the bottom of the
// line's advance) of the bitmaps by number.
inline constexpr std::array<std::string_view, 12> display_bitmap_names = {
    "",
    "PLUS_BITMAP",
    "MINUS_BITMAP",
    "PLUS_BITMAP",
    "MINUS_BITMAP",
    "INVISIBLE_STANDIN_FOR_MINUS_AND_PLUS_BITMAPS",
    "PICS_PRESENT_BITMAP",
    "RECS_PRESENT_BITMAP",
    "PICS_AND_RECS_PRESENT_BITMAP",
    "LITTLE_PLUS_BITMAP",
    "LITTLE_MINUS_BITMAP",
    "LITTLE_MAP_BITMAP"};
inline constexpr std::array<std::pair<int, int>, 12> display_bitmap_offsets = {{{0, 0},
                                                                                {0, -6},
                                                                                {0, -6},
                                                                                {0, -6},
                                                                                {0, -6},
                                                                                {0, 0},
                                                                                {5, -2},
                                                                                {5, -2},
                                                                                {5, -2},
                                                                                {0, -4},
                                                                                {0, -4},
                                                                                {5, -6}}};

// What a recording line keeps of the sound bar placed on it: the display owns
// the bar through the record of its line and ends it when the line goes.
class PlacedSoundBar {
public:
    virtual ~PlacedSoundBar() = default;
};

struct SoundBarRecord {
    Tcupaitem* item = nullptr;
    int recording_number = 0;
    int fold_key = 0;
    int last_position = 0; // tenths of a second
    std::unique_ptr<PlacedSoundBar> control;
};

struct SHST_TShowString {
    LineKind kind = lkFamilyBox;
    const DisplayFont* font = nullptr; // none keeps the font already selected
    bool stop_follows = false;
    int x = 0;
    int drawn_x = 0, drawn_y = 0;
    int advance = 0;
    std::string text;
    std::int32_t value = 0;
    int family_number = 0; // lines of a species row: the number of its family
    // References by kind: the family or species of its row, the subspecies of a
    // subspecies pictures mark, the audio CD of a CD line, the sound bar record.
    Tfamily* family = nullptr;
    Tspecies* species = nullptr;
    Tsubspecies* subspecies = nullptr;
    TaudioCD* audio_cd = nullptr;
    std::unique_ptr<SoundBarRecord> sound_bar;
    bool picture_acquired = false; // lkSmallPicture (value holds the picture's height)
    int bitmap = bitmap_none;      // bitmap lines
    // Paragraph lines: the text before wrapping and what its advance is made
    // of besides its rows, so it can be wrapped again at another width.
    std::string paragraph;
    bool last_line_counts = true;
    int extra_advance = 0;
    // The line's advance gives back the room its species' small picture line
    // took (that line moves up to stand level with the species text).
    bool takes_back_picture_offset = false;
};

using LineList = std::list<SHST_TShowString>;
using Line = LineList::iterator;
using ConstLine = LineList::const_iterator;

// The packed name options value: bits 0-7 scientific, 8-15 other language,
// 16-23 which stands first (1 scientific, 2 other language).
std::uint32_t pack_name_options(bool scientific, bool other_language, std::uint8_t main);
int name_kind_at(int position, std::uint32_t name_options); // 0 none, 1 scientific, 2 other

struct SHST_TShowStringsData {
    SHST_TShowStringsData(const Tdata& data, const CoreContext& context)
        : visible(data, context) {}

    bool scientific = true;
    bool other_language = true;
    std::uint8_t main = 2;
    std::uint8_t systematic_order = 1;
    bool squeeze_horizontal = false;
    TVisibleSpeciesAndRecordings visible;
    bool show_threatened = true;

    std::uint32_t name_options() const {
        return pack_name_options(scientific, other_language, main);
    }
    void set_name_options(std::uint32_t value);
    NameChoice name_choice() const;
};

// What the surface tells the display about itself.
struct DisplayGeometry {
    // The client area's width, without the vertical scroll bar; paragraphs
    // wrap a scroll bar's width short of its edge.
    int client_width = 800;
    int vertical_scroll_bar_width = 16;
    int horizontal_scroll_bar_height = 16;
    int screen_colour_count = 1 << 24;
    // How far a sound bar reaches below the pen of its line; a details box
    // stands below that, clear of the bar's button.
    int sound_bar_reach = 0;
};

// Bitmap sizes (width, height) by number, for placing and hit testing.
using BitmapSizes = std::array<std::pair<int, int>, 12>;

struct FoldResult {
    bool changed = false;
    int added_height = 0;   // height of the lines that appeared (0 when folding)
    int removed_height = 0; // height of the lines that went
};

// The state a window saves: where it stood and which families were unfolded.
struct DisplayState {
    int top_family = 1;
    int top_species = 0;
    std::vector<int> unfolded_families; // up to 20, seen from the top
    int current_family = 1;
    int current_species = 0;
};

class TShowStrings {
public:
    struct Environment {
        const Tdata* data = nullptr;
        // The product, texts and fonts the lines are built with.
        const CoreContext* core = nullptr;
        const TextMeasurer* measurer = nullptr;
        DisplayGeometry geometry;
        BitmapSizes bitmaps{};
        SmallPictureSource* pictures = nullptr; // none: no small pictures
    };

    explicit TShowStrings(Environment environment);
    ~TShowStrings();
    TShowStrings(const TShowStrings&) = delete;
    TShowStrings& operator=(const TShowStrings&) = delete;

    void build_from_options(const SHST_TShowStringsData& options);
    void build_as_copy(const TShowStrings& other);

    FoldResult toggle_fold(Line box, bool only_unfold = false, bool only_fold = false);
    void apply_name_options(std::uint32_t name_options);
    // Wraps every paragraph again at the present client width; the lines stay
    // (and with them the fold state, the current and the top line), their
    // texts and advances follow.
    void rewrap();
    // Unfolded species whose small picture could not be found get it now, if
    // it can be (after the base directory changed); returns whether any did.
    bool add_missing_small_pictures();
    void unfold_families(const std::vector<int>& family_numbers);
    void fold_all();

    int total_height() const;
    int offset_of(Line line) const;
    // The family header (and the species header within it when species > 0).
    std::optional<Line> find_header(int family_number, int species_number = 0);
    DisplayState state_for_saving() const;

    LineList& lines() { return lines_; }
    const LineList& lines() const { return lines_; }
    Line end() { return lines_.end(); }
    const SHST_TShowStringsData& options() const { return *options_; }
    SHST_TShowStringsData& options() { return *options_; }
    Environment& environment() { return environment_; }
    const CoreContext& core() const { return *environment_.core; }

    std::optional<Line> current_line;
    std::optional<Line> top_line;
    // The area of the last paint, in list coordinates (set by the surface).
    int painted_top = 0;
    int painted_bottom = 1 << 30;
    int line_height() const { return line_height_; }
    // The client width the paragraphs were last wrapped at as a whole.
    int wrapped_width() const { return wrapped_width_; }
    int row_height() const { return row_height_; }

    // The first name line of the first family row, or none.
    std::optional<Line> first_family_name_line();

private:
    void build_family_rows();
    void append_family_row(Tfamily& family, int number);
    Line insert_name_lines(Line before, Tfamily* family, Tspecies* species, bool is_species);
    struct SpeciesUnfolding;

    void unfold_family(Line box);
    void insert_species_row(Line before, Line family_box, Tspecies& species, int number);
    void insert_media_marks(Line before, Tspecies& species, bool pictures, bool recordings);
    void insert_occurrence_note(Line before, Tspecies& species);
    void insert_threat_status(Line before, Tspecies& species);
    void unfold_species(Line box);
    std::optional<std::pair<int, int>> acquire_small_picture(Tspecies& species);
    int insert_species_text(Line before, Tspecies& species, int x_shift);
    int insert_small_picture(Line before, Tspecies& species, std::pair<int, int> size,
                             int text_advance);
    void insert_recording(SpeciesUnfolding& unfolding, Tcupaitem& item);
    bool head_subspecies_of(SpeciesUnfolding& unfolding, const Tcupaitem& item);
    void insert_subspecies_heading(SpeciesUnfolding& unfolding, Tsubspecies* subspecies,
                                   const DisplayFont& font, int spacing);
    void insert_recording_number(const SpeciesUnfolding& unfolding, const Tcupaitem& item,
                                 int number, bool headed);
    void insert_sound_bar(const SpeciesUnfolding& unfolding, Tcupaitem& item, int number);
    void insert_audio_cd_line(Line before, const Tcupaitem& item);
    void insert_recording_description(Line before, Tspecies& species, const Tcupaitem& item);
    bool has_details(const Tcupaitem& item) const;
    void insert_details_box(Line before, Tspecies& species);
    int insert_recording_label(Line before, Tspecies& species, const Tcupaitem& item, bool boxed);
    void insert_recording_percent(Line before, Tspecies& species, const Tcupaitem& item);
    void insert_subspecies_with_pictures_only(SpeciesUnfolding& unfolding);
    void insert_subspecies_list(const SpeciesUnfolding& unfolding);
    void unfold_details(Line box);
    Line insert_line(Line before, SHST_TShowString line);
    Line insert_paragraph(Line before, LineKind kind, std::string text, const DisplayFont& font,
                          bool last_line_counts, int x_shift = 0, int extra_advance = 0);
    void wrap_paragraph(SHST_TShowString& line) const;
    std::string also_audible_line(const Tcupaitem& item) const;
    Line row_end(Line box) const;
    void remove_lines(Line from, Line to);
    void update_box_height_after(Line box);
    void update_unfolded_box_heights();
    int available_width(int x, int extra_shift) const;
    int kind_x(LineKind kind) const;
    int family_number_of(ConstLine line) const;
    const DisplayFonts& fonts() const { return environment_.core->fonts; }
    std::optional<ConstLine> species_box_of(ConstLine line) const;
    std::string name_text(const std::string& scientific, const std::string& language, int kind,
                          bool in_running_text) const;

    Environment environment_;
    std::unique_ptr<SHST_TShowStringsData> options_;
    LineList lines_;
    int line_height_ = 15;
    int row_height_ = 30;
    int average_char_width_ = 7; // of the normal font: the shift after "AAA"
    int details_size_ = 20;      // advance of a details box
    int wrapped_width_ = 0;
};

// Measures the fonts the display's first lines are measured and drawn in. A
// font's first measuring loads it, which is slow: the program does this ahead,
// while the data set still loads.
void measure_display_fonts_ahead(const TextMeasurer& measurer, const DisplayFonts& fonts);

// A line of "KZ_SHSTR" (lines 7 to 11 with their first letter capitalised).
std::string shstr_text(const Ttextfile_handler& texts, const TextLine& line);

} // namespace pemmaro
