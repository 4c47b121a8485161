// The sample disc's generated media: every file its data names is found under
// the generated base folder with the program's paths, the audio CD images
// carry the disc identities of the data, and a sample of the files decodes.

#include "DiscFixture.h"
#include "TestContext.h"
#include "TestSupport.h"
#include "common/DataPaths.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "data/DataFileReader.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"
#include "data/SolvaraAreas.h"
#include "maps_pictures/MapFill.h"
#include "maps_pictures/MapGeometry.h"
#include "maps_pictures/PictureFiles.h"
#include "maps_pictures/RegionSeedPoints.h"
#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/SoundFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <sndfile.h>
#include <sstream>

using namespace pemmaro;
using namespace pemmaro::test;
namespace fs = std::filesystem;

namespace {

const std::string base_folder = PEMMARO_SAMPLE_BASE_DIR;
constexpr int sectors_per_second = 75;
constexpr int bytes_per_sector = 2352;

std::optional<std::string> find_file(const std::string& data_path) {
    std::optional<std::string> path = resolve_existing_path(base_folder + "/" + data_path);
    std::error_code error;
    if (path && !fs::is_regular_file(*path, error))
        return std::nullopt;
    return path;
}

std::string uid(const Tspecies& species) {
    return std::to_string(species.unique_id);
}

std::string cd_name(const TaudioCD& cd) {
    return "cd" + tape_folder_name(cd.tape_number);
}

// The tracks' start sectors in the image, from the cue sheet's INDEX 01 lines.
struct CueSheet {
    std::string bin_name;
    std::vector<int> track_numbers;
    std::vector<int> starts;
};

CueSheet read_cue(const std::string& path) {
    CueSheet cue;
    std::istringstream in(read_file(path));
    std::string word;
    while (in >> word) {
        if (word == "FILE") {
            in >> std::ws;
            if (in.peek() == '"') {
                in.get();
                std::getline(in, cue.bin_name, '"');
            } else {
                in >> cue.bin_name;
            }
        } else if (word == "TRACK") {
            int number = 0;
            in >> number;
            cue.track_numbers.push_back(number);
        } else if (word == "INDEX") {
            int index = 0, minutes = 0, seconds = 0, frames = 0;
            char colon = 0;
            in >> index >> minutes >> colon >> seconds >> colon >> frames;
            if (index == 1)
                cue.starts.push_back((minutes * 60 + seconds) * sectors_per_second + frames);
        }
    }
    return cue;
}

struct Decoded {
    int rate = 0;
    int channels = 0;
    int subtype = 0;
    sf_count_t frames = 0;
    bool opened = false;
};

// Decodes the whole file: MPEG headers do not give the true length.
Decoded decode(const std::string& path) {
    Decoded decoded;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return decoded;
    decoded.opened = true;
    decoded.rate = info.samplerate;
    decoded.channels = info.channels;
    decoded.subtype = info.format & SF_FORMAT_SUBMASK;
    std::vector<short> buffer(4096 * static_cast<std::size_t>(info.channels));
    sf_count_t got = 0;
    while ((got = sf_readf_short(file, buffer.data(), 4096)) > 0)
        decoded.frames += got;
    sf_close(file);
    return decoded;
}

} // namespace

class SampleDiscMedia : public ::testing::Test {
protected:
    // Loads with the program's loader as the program does, in a context of its own.
    static void SetUpTestSuite() { data_ = load_sample_disc(); }
    static void TearDownTestSuite() { data_.reset(); }

    static const Tdata& data() { return *data_; }

    static std::vector<const Tcutpart*> spans_of(const TaudioCD& cd) {
        std::vector<const Tcutpart*> spans;
        for (const Tcutpart& cut_part : data().cut_part_store) {
            if (!cut_part.is_sound_file && cut_part.audio_cd == &cd)
                spans.push_back(&cut_part);
        }
        return spans;
    }

    static const TaudioCD& copied_cd() {
        const TaudioCD* last = &data().audio_cd_store.front();
        for (const TaudioCD& cd : data().audio_cd_store)
            last = cd.tape_number > last->tape_number ? &cd : last;
        return *last;
    }

    static inline std::unique_ptr<Tdata> data_;
};

TEST_F(SampleDiscMedia, EveryFileTheDataNamesExists) {
    std::vector<std::string> wanted;
    for (const Tcutpart& cut_part : data().cut_part_store) {
        if (cut_part.is_sound_file)
            wanted.push_back(
                sound_file_path({cut_part.tape_number, cut_part.side_letter, cut_part.cut_number,
                                 cut_part.sub_letter, cut_part.compression_number}));
    }
    for (const Tspecies& species : data().species_store) {
        const std::string& family = species.family_directory_name;
        if (species.flag_s)
            wanted.push_back(small_picture_path(family, uid(species)));
        for (int n = 1; n <= species.map_count; ++n)
            wanted.push_back(distribution_map_path(
                family, uid(species), n, capabilities_of(106).distribution_map_extension));
        wanted.push_back(spoken_name_path(family, uid(species), false));
    }
    for (const Tbig_picture& picture : data().big_picture_store) {
        wanted.push_back(big_picture_path(picture.species->family_directory_name,
                                          uid(*picture.species), picture.picture_number));
    }
    for (const Tlocality& locality : data().locality_store) {
        if (const auto path = site_description_path(locality.description_file))
            wanted.push_back(*path);
    }
    ASSERT_GT(wanted.size(), 30u);
    std::vector<std::string> missing;
    for (const std::string& path : wanted) {
        if (!find_file(path))
            missing.push_back(path);
    }
    EXPECT_THAT(missing, ::testing::IsEmpty());
}

// The recording lines, the status bar and Show Name of Sound File name the
// same CD alike: its title is its name with what the CD holds added.
TEST_F(SampleDiscMedia, EachAudioCdHasOneName) {
    std::set<std::string> short_names;
    for (const TaudioCD& cd : data().audio_cd_store) {
        EXPECT_TRUE(cd.media_text_1.starts_with(cd.media_text_2))
            << cd.media_text_1 << " / " << cd.media_text_2;
        short_names.insert(audio_cd_short_name(cd));
    }
    EXPECT_EQ(short_names.size(), data().audio_cd_store.size());
}

// The identity is the track count and the start second of each track on the
// disc (150 sectors of lead-in), which the program compares with a real CD.
TEST_F(SampleDiscMedia, AudioCdImagesHaveTheIdentityOfTheData) {
    ASSERT_FALSE(data().audio_cd_store.empty());
    for (const TaudioCD& cd : data().audio_cd_store) {
        SCOPED_TRACE(cd_name(cd));
        const std::string cue_path = base_folder + "/cd-images/" + cd_name(cd) + ".cue";
        ASSERT_TRUE(exists(cue_path));
        const CueSheet cue = read_cue(cue_path);
        ASSERT_FALSE(cue.starts.empty());
        ASSERT_EQ(cue.starts.size(), cue.track_numbers.size());
        EXPECT_EQ(cue.starts.front(), 0);
        std::string identity = std::to_string(cue.starts.size());
        for (std::size_t t = 0; t < cue.starts.size(); ++t) {
            EXPECT_EQ(cue.track_numbers[t], static_cast<int>(t + 1));
            if (t < 25)
                identity += ";" + std::to_string((cue.starts[t] + 150) / sectors_per_second);
        }
        EXPECT_EQ(identity, std::string(trim_blanks(cd.media_text_3)));

        std::error_code error;
        const auto bin_size = fs::file_size(base_folder + "/cd-images/" + cue.bin_name, error);
        ASSERT_FALSE(error) << cue.bin_name;
        EXPECT_EQ(bin_size % bytes_per_sector, 0u);
        const int sectors = static_cast<int>(bin_size / bytes_per_sector);
        // Each span lies within its track.
        for (const Tcutpart* span : spans_of(cd)) {
            ASSERT_LE(span->track, static_cast<int>(cue.starts.size())) << span->key;
            const auto t = static_cast<std::size_t>(span->track - 1);
            const int end = t + 1 < cue.starts.size() ? cue.starts[t + 1] : sectors;
            EXPECT_LE(cue.starts[t] + (span->offset_ms + span->length_ms) * 75 / 1000, end)
                << span->key;
        }
    }
}

TEST_F(SampleDiscMedia, CopiedTracksAreTheImagesTracks) {
    const TaudioCD& cd = copied_cd();
    const CueSheet cue = read_cue(base_folder + "/cd-images/" + cd_name(cd) + ".cue");
    const std::string folder = base_folder + "/cd-copies/" + cd_name(cd);
    ASSERT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(cue.starts.size()));
    for (int t = 1; t <= static_cast<int>(cue.starts.size()); ++t)
        EXPECT_TRUE(copied_track_path(folder, t)) << "track " << t;

    // Track 2 holds the same samples in the copy and in the image.
    ASSERT_GE(cue.starts.size(), 2u);
    const std::string bin_path = base_folder + "/cd-images/" + cue.bin_name;
    const auto bin_sectors = static_cast<int>(fs::file_size(bin_path) / bytes_per_sector);
    const int end = cue.starts.size() > 2 ? cue.starts[2] : bin_sectors;
    const auto track_path = copied_track_path(folder, 2);
    ASSERT_TRUE(track_path);
    SF_INFO info{};
    SNDFILE* file = sf_open(track_path->c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.frames, static_cast<sf_count_t>(end - cue.starts[1]) * 588);
    std::vector<short> copy(static_cast<std::size_t>(info.frames) * 2);
    EXPECT_EQ(sf_readf_short(file, copy.data(), info.frames), info.frames);
    sf_close(file);
    std::ifstream bin(bin_path, std::ios::binary);
    bin.seekg(static_cast<std::streamoff>(cue.starts[1]) * bytes_per_sector);
    std::vector<short> image(copy.size());
    bin.read(reinterpret_cast<char*>(image.data()),
             static_cast<std::streamsize>(image.size() * sizeof(short)));
    EXPECT_TRUE(image == copy);
}

TEST_F(SampleDiscMedia, OneSoundFileOfEachCompressionDecodes) {
    std::map<int, const Tcutpart*> first_of;
    for (const Tcutpart& cut_part : data().cut_part_store) {
        if (cut_part.is_sound_file)
            first_of.emplace(cut_part.compression_number, &cut_part);
    }
    ASSERT_FALSE(first_of.empty());
    for (const auto& [compression, cut_part] : first_of) {
        SCOPED_TRACE("compression " + std::to_string(compression) + ", " + cut_part->key);
        const auto path =
            find_file(sound_file_path({cut_part->tape_number, cut_part->side_letter,
                                       cut_part->cut_number, cut_part->sub_letter, compression}));
        ASSERT_TRUE(path);
        const Decoded decoded = decode(*path);
        ASSERT_TRUE(decoded.opened) << sf_strerror(nullptr);
        EXPECT_EQ(decoded.channels, 1);
        const double seconds = static_cast<double>(decoded.frames) / decoded.rate;
        EXPECT_NEAR(seconds, std::max(1000, cut_part->length_ms) / 1000.0, 0.5);
        if (compression == 3) {
            EXPECT_EQ(decoded.subtype, SF_FORMAT_GSM610);
        } else if (compression >= 5) {
            EXPECT_EQ(decoded.subtype, SF_FORMAT_MPEG_LAYER_III);
        }
    }
    const Tspecies& species = data().species_store.front();
    const auto voice =
        find_file(spoken_name_path(species.family_directory_name, uid(species), false));
    ASSERT_TRUE(voice);
    EXPECT_GT(decode(*voice).frames, 0);
}

// The decoders write their complaints (mpg123: "part2_3_length ... too large")
// to standard error; playing starts anywhere a thumb can be put.
TEST_F(SampleDiscMedia, EverySoundFileDecodesWithoutComplaintFromAnyPlace) {
    int files = 0;
    testing::internal::CaptureStderr();
    for (const Tcutpart& cut_part : data().cut_part_store) {
        if (!cut_part.is_sound_file)
            continue;
        const auto path = find_file(
            sound_file_path({cut_part.tape_number, cut_part.side_letter, cut_part.cut_number,
                             cut_part.sub_letter, cut_part.compression_number}));
        ASSERT_TRUE(path) << cut_part.key;
        const std::optional<std::uint64_t> frames = count_decodable_frames(*path);
        ASSERT_TRUE(frames) << cut_part.key;
        std::vector<std::int16_t> buffer(4096 * 2);
        for (std::uint64_t part = 1; part <= 3; ++part) {
            auto source = open_sound_file_source(*path, *frames * part / 4, *frames, true);
            ASSERT_TRUE(source) << cut_part.key;
            while (source->read(buffer.data(), 4096) > 0) {
            }
            EXPECT_FALSE(source->failed()) << cut_part.key;
        }
        ++files;
    }
    const std::string complaints = testing::internal::GetCapturedStderr();
    EXPECT_EQ(complaints, "");
    EXPECT_EQ(files, 95);
}

TEST_F(SampleDiscMedia, PicturesAndMapsLoadWithTheProgramsReaders) {
    // A picture's number line is the day it was taken, DDMMYY.
    for (const Tbig_picture& picture : data().big_picture_store) {
        if (picture.picture_value == -1)
            continue;
        const int day = picture.picture_value / 10000;
        const int month = picture.picture_value / 100 % 100;
        EXPECT_TRUE(day >= 1 && day <= 31 && month >= 1 && month <= 12)
            << recording_date_text(picture.picture_value) << " of " << picture.caption;
    }

    // The first three pictures are photographs' full size, the others smaller.
    for (const auto& [index, size] : {std::pair{0, QSize(1600, 1200)}, {3, QSize(640, 480)}}) {
        const Tbig_picture& picture = data().big_picture_store[static_cast<std::size_t>(index)];
        const auto big = find_file(big_picture_path(picture.species->family_directory_name,
                                                    uid(*picture.species), picture.picture_number));
        ASSERT_TRUE(big);
        const JpegPicture big_jpeg = load_jpeg_file(*big);
        EXPECT_TRUE(big_jpeg.complete);
        EXPECT_EQ(big_jpeg.image.size(), size) << index;
    }

    const auto small = std::find_if(data().species_store.begin(), data().species_store.end(),
                                    [](const Tspecies& s) { return s.flag_s; });
    ASSERT_NE(small, data().species_store.end());
    const auto small_path =
        find_file(small_picture_path(small->family_directory_name, uid(*small)));
    ASSERT_TRUE(small_path);
    EXPECT_EQ(load_jpeg_file(*small_path).image.size(), QSize(120, 90));

    // A mask shows only white, the range's blue and the migration red over
    // the rectangle the map window stretches it into on the region map; a
    // complete map is the region map itself with the range over it. Either way
    // the range lies on the region map's land, not in its sea.
    const QImage region(PEMMARO_RESOURCES_DIR "/maps/solvara_map_bitmap.png");
    ASSERT_FALSE(region.isNull());
    std::map<std::string, int> storages;
    int masks = 0;
    for (const Tspecies& species : data().species_store) {
        for (int n = 1; n <= species.map_count; ++n) {
            const MapReference& reference = species.maps[static_cast<std::size_t>(n)];
            const auto path =
                find_file(distribution_map_path(species.family_directory_name, uid(species), n,
                                                capabilities_of(106).distribution_map_extension));
            ASSERT_TRUE(path);
            const std::string head = read_file(*path).substr(0, 34);
            storages[!head.starts_with("BM") ? "compressed" : head[30] == 1 ? "rle8" : "plain"]++;
            const PictureLoad load = LoadPictureFile(*path, false);
            ASSERT_EQ(load.status, PictureStatus::loaded) << *path;
            const QImage image = dib_to_image(*load.dib);
            const QRect rect = reference.is_mask ? OverlayRect(region_map_record(), *reference.map)
                                                 : region.rect();
            masks += reference.is_mask;
            EXPECT_EQ(image.size(), rect.size()) << *path;
            int blue = 0, in_the_sea = 0, others = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb rgb = image.pixel(x, y) & 0xffffff;
                    const QPoint on_map = rect.topLeft() + QPoint(x, y);
                    blue += rgb == 0x0000ff;
                    in_the_sea += rgb == 0x0000ff && region.rect().contains(on_map) &&
                                  region.pixel(on_map) == qRgb(77, 255, 255);
                    others += rgb != 0xffffff && rgb != 0x0000ff && rgb != 0xff0000;
                }
            }
            EXPECT_GT(blue, 0) << *path;
            EXPECT_EQ(in_the_sea, 0) << *path;
            if (reference.is_mask) {
                EXPECT_EQ(others, 0) << *path;
            }
        }
    }
    EXPECT_GT(masks, 0);
    EXPECT_EQ(storages.size(), 3u);
}

namespace {

// The region map's items that make up each country of the sample's places.
const std::map<std::string, std::vector<int>> items_of_country = {
    {"India", {0}},       {"Sri Lanka", {1}},  {"Nepal", {2}},    {"Burma", {3}},
    {"Thailand", {4}},    {"Laos", {5}},       {"Cambodia", {5}}, {"Vietnam", {5}},
    {"Malaysia", {6, 8}}, {"Singapore", {7}},  {"Brunei", {8}},   {"Indonesia", {8, 9, 10, 11}},
    {"China", {16}},      {"Hong Kong", {17}}, {"Taiwan", {18}},  {"Philippines", {19}},
};

// Each pixel of the region map: the item whose fill, from its points as the
// select-area window fills, reaches it; -1 for none.
std::vector<int> region_items(const QImage& region) {
    std::vector<int> items(static_cast<std::size_t>(region.width() * region.height()), -1);
    for (int item = 0; item < static_cast<int>(region_seed_points.size()); ++item) {
        if (!TSolvaraArea::is_item_selectable(item))
            continue;
        QImage image = region.convertToFormat(QImage::Format_RGB32);
        for (const QPoint seed : region_seed_points[static_cast<std::size_t>(item)])
            FloodFillToBorder(image, seed, qRgb(255, 0, 255));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == qRgb(255, 0, 255))
                    items[static_cast<std::size_t>(y * image.width() + x)] = item;
            }
        }
    }
    return items;
}

} // namespace

// Each place lies where it really is: on the region map, by the program's own
// mapping, on the land of its country or, for a place on the coast, within
// three pixels of it.
TEST_F(SampleDiscMedia, EveryPlaceLiesOnTheLandOfItsCountry) {
    const QImage region(PEMMARO_RESOURCES_DIR "/maps/solvara_map_bitmap.png");
    ASSERT_FALSE(region.isNull());
    const std::vector<int> items = region_items(region);
    int places = 0;
    for (const Tlocality& locality : data().locality_store) {
        if (locality.name == "ZERO LOCATION")
            continue;
        ++places;
        SCOPED_TRACE(locality.key + " (" + locality.country + ")");
        const GeoPosition position = LocalityDegrees(locality);
        const QPoint pixel = GeoToPixel(region_map_record(), position).point;
        ASSERT_TRUE(region.rect().contains(pixel))
            << position.latitude << ", " << position.longitude << " is off the region map";
        const auto country = items_of_country.find(locality.country);
        ASSERT_NE(country, items_of_country.end()) << "a country the region map does not show";
        bool on_its_land = false;
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 3; ++dx) {
                const QPoint near = pixel + QPoint(dx, dy);
                if (dx * dx + dy * dy > 9 || !region.rect().contains(near))
                    continue;
                const int item =
                    items[static_cast<std::size_t>(near.y() * region.width() + near.x())];
                on_its_land = on_its_land ||
                              std::count(country->second.begin(), country->second.end(), item) > 0;
            }
        }
        EXPECT_TRUE(on_its_land) << "latitude " << position.latitude << ", longitude "
                                 << position.longitude << " at pixel " << pixel.x() << ","
                                 << pixel.y();
    }
    EXPECT_GT(places, 40);
}
