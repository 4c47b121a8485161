// Generates every media file the sample disc's data names (sound files,
// audio CD images and copied tracks, pictures, distribution maps, spoken
// names, site descriptions) into a base folder, with the program's own paths.
// The data set is read with the program's loader, so the files are exactly
// the ones the program will look for.
//
// Usage: pemmaro_make_sample_media SAMPLE_DISC_FOLDER BASE_FOLDER [--jobs N]
//
// A manifest in the base folder records what each file was made from; files
// whose recipe did not change are kept, files the data no longer names are
// removed.

#include "AudioCds.h"
#include "BirdSounds.h"
#include "DistributionMaps.h"
#include "Illustrations.h"
#include "MediaCommon.h"
#include "SoundFiles.h"
#include "common/CoreContext.h"
#include "common/DataPaths.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "data/DataFileReader.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"
#include "data/SolvaraAreas.h"
#include "platform/Ansi.h"
#include "platform/Paths.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

namespace pemmaro::media {

namespace {

namespace fs = std::filesystem;

constexpr const char* manifest_name = ".pemmaro-media-manifest";
// A kind's version goes up whenever what it writes changes, so the next build
// remakes those files.
constexpr const char* sound_version = "sound-2";
constexpr const char* cd_version = "cd-1";
constexpr const char* small_picture_version = "small-1";
constexpr const char* big_picture_version = "big-1";
constexpr const char* map_version = "map-3";
constexpr const char* voice_version = "voice-1";
constexpr const char* site_version = "site-1";
constexpr int jpeg_quality = 85;

struct Job {
    std::string kind;
    std::vector<std::string> outputs; // relative to the base folder, '/' separated
    std::string recipe;
    double cost = 1; // the big ones start first
    std::vector<std::string> tools;
    std::function<void()> run;
};

struct Plan {
    std::vector<Job> jobs;
    std::vector<std::string> notes;
    std::vector<std::string> errors; // found before any work: nothing is written
    std::set<std::string> claimed;

    bool claim(const std::string& relative) { return claimed.insert(relative).second; }
};

struct Setting {
    std::string disc;    // the data files
    std::string base;    // the generated base folder
    std::string scratch; // temporary files
    int threads = 2;
};

std::string hex(std::uint64_t value) {
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::unique_ptr<Tdata> load_sample_disc(const Setting& setting) {
    fs::current_path(setting.disc);
    CommonServices& services = common_services();
    services.startup_directory = setting.disc + "/";
    services.program_directory = setting.disc + "/";
    // A settings file of its own: nobody's audio CD state reaches the loader.
    settings_file().path = setting.scratch + "/Pemmaro.ini";
    settings_file().on_cd_rom = false;
    const std::vector<std::uint8_t> texts = read_bytes(setting.disc + "/Pemmaro.txt");
    textfile() = Ttextfile_handler(
        std::string_view(reinterpret_cast<const char*>(texts.data()), texts.size()));
    product() = product_settings_for(1061, std::vector<std::string>(7));
    return load_data(program_context());
}

std::string unique_id_text(const Tspecies& species) {
    return std::to_string(species.unique_id);
}

// The species heard in a recording: the first item's species leads, the
// others sing less often and softer (as loud as their item's number says).
std::vector<Singer> singers_of(const Tcutpart& cut_part, std::string& recipe) {
    std::vector<Singer> singers;
    std::vector<const Tspecies*> seen;
    for (const Tcupaitem* item = cut_part.first_recording_item[1]; item;
         item = item->next_item_of_cut_part[1]) {
        const Tspecies* species = item->species;
        if (species == nullptr || std::find(seen.begin(), seen.end(), species) != seen.end())
            continue;
        Singer singer;
        singer.voice = voice_for_species(species->unique_id, species->species_id);
        if (!seen.empty()) {
            singer.level = 0.3 * std::clamp(item->number, 20, 100) / 100.0;
            singer.density = 0.5;
        }
        seen.push_back(species);
        singers.push_back(singer);
        recipe += "|" + std::to_string(species->unique_id) + ":" +
                  std::to_string(species->species_id) + ":" + std::to_string(item->number);
    }
    if (singers.empty()) {
        singers.push_back({voice_for_key(cut_part.key), 0.55, 1});
        recipe += "|key";
    }
    return singers;
}

void plan_sound_files(const Tdata& data, const Setting& setting, Plan& plan,
                      std::map<int, int>& per_compression) {
    for (const Tcutpart& cut_part : data.cut_part_store) {
        if (!cut_part.is_sound_file)
            continue;
        const int compression = cut_part.compression_number;
        const SoundFileKey key{cut_part.tape_number, cut_part.side_letter, cut_part.cut_number,
                               cut_part.sub_letter, compression};
        const std::string relative = slashes(sound_file_path(key));
        if (!plan.claim(relative))
            continue;
        SoundEncoding encoding;
        try {
            encoding = encoding_for(compression);
        } catch (const MediaError& error) {
            plan.errors.push_back("cut part " + cut_part.key + ": " + error.what());
            continue;
        }
        ++per_compression[compression];
        const int length_ms = std::max(1000, cut_part.length_ms);
        Job job;
        job.kind = "sound files";
        job.outputs = {relative};
        job.recipe = std::string(sound_version) + "|" + cut_part.key + "|" +
                     std::to_string(compression) + "|" + std::to_string(length_ms);
        const std::vector<Singer> singers = singers_of(cut_part, job.recipe);
        job.cost = length_ms / 1000.0 * encoding.sample_rate / 22050.0 *
                   (encoding.mp3_kbps > 0 ? 1.5 : 1.0);
        if (encoding.mp3_kbps > 0)
            job.tools = {"ffmpeg"};
        const std::string path = under_base(setting.base, relative);
        const std::string scratch = setting.scratch;
        const std::uint64_t seed = text_hash(cut_part.key);
        job.run = [=] {
            const std::vector<float> samples =
                render_recording(singers, encoding.sample_rate, length_ms / 1000.0, seed);
            write_sound_file(path, samples, compression, scratch);
        };
        plan.jobs.push_back(std::move(job));
    }
}

// Each audio CD as an image; the last one (by tape number) also as copied tracks.
void plan_audio_cds(const Tdata& data, const Setting& setting, Plan& plan,
                    std::vector<std::string>& identities) {
    const TaudioCD* copied = nullptr;
    for (const TaudioCD& cd : data.audio_cd_store) {
        if (copied == nullptr || cd.tape_number > copied->tape_number)
            copied = &cd;
    }
    for (const TaudioCD& cd : data.audio_cd_store) {
        Job job;
        job.kind = "audio CDs";
        job.recipe = std::string(cd_version) + "|" + std::to_string(cd.tape_number);
        std::vector<CdSpan> spans;
        for (const Tcutpart& cut_part : data.cut_part_store) {
            if (cut_part.is_sound_file || cut_part.audio_cd != &cd)
                continue;
            CdSpan span{cut_part.key, cut_part.track, cut_part.offset_ms, cut_part.length_ms, {}};
            job.recipe += "|" + cut_part.key + "@" + std::to_string(span.track) + "+" +
                          std::to_string(span.offset_ms) + "/" + std::to_string(span.length_ms);
            span.singers = singers_of(cut_part, job.recipe);
            spans.push_back(std::move(span));
        }
        const CdLayout layout = lay_out_cd(spans);
        const std::string identity = layout.identity();
        const std::string expected(trim_blanks(cd.media_text_3));
        const std::string name = "cd" + tape_folder_name(cd.tape_number);
        identities.push_back("audio CD " + std::to_string(cd.tape_number) + " (" + name +
                             ".cue): " + std::to_string(layout.track_count()) +
                             " tracks, identity " + identity);
        if (identity != expected) {
            plan.errors.push_back("audio CD " + std::to_string(cd.tape_number) +
                                  ": its spans in cutparts.txt give the disc identity \"" +
                                  identity + "\", but othermedia.txt has \"" + expected + "\"");
            continue;
        }
        CdFiles files;
        files.title = cd.media_text_1;
        const std::string cue = "cd-images/" + name + ".cue";
        const std::string bin = "cd-images/" + name + ".bin";
        files.cue_path = under_base(setting.base, cue);
        files.bin_path = under_base(setting.base, bin);
        job.outputs = {cue, bin};
        if (&cd == copied) {
            const std::string folder = "cd-copies/" + name;
            files.copies_folder = under_base(setting.base, folder);
            for (int t = 1; t <= layout.track_count(); ++t)
                job.outputs.push_back(folder + "/" + copied_track_name(t));
            job.recipe += "|copies";
        }
        int seconds = 0;
        for (int s : layout.seconds)
            seconds += s;
        job.cost = seconds * 2.0 * cd_rate / 22050.0;
        const std::uint64_t seed = seed_of({cd.tape_number, 9});
        job.run = [=] { write_audio_cd(layout, spans, seed, files); };
        for (const std::string& output : job.outputs)
            plan.claim(output);
        plan.jobs.push_back(std::move(job));
    }
}

void write_jpeg(const std::string& path, const QImage& image) {
    write_file_atomically(path, encode_jpeg(image, jpeg_quality));
}

void plan_pictures(const Tdata& data, const Setting& setting, Plan& plan) {
    for (const Tspecies& species : data.species_store) {
        if (!species.flag_s)
            continue;
        const std::string relative =
            slashes(small_picture_path(species.family_directory_name, unique_id_text(species)));
        if (!plan.claim(relative))
            continue;
        Job job;
        job.kind = "small pictures";
        job.outputs = {relative};
        job.recipe = std::string(small_picture_version) + "|" + unique_id_text(species) + "|" +
                     std::to_string(species.species_id);
        job.cost = 0.2;
        const BirdLook look = look_for_species(species.unique_id, species.species_id);
        const std::uint64_t seed = seed_of({species.unique_id, 1});
        const std::string path = under_base(setting.base, relative);
        job.run = [=] { write_jpeg(path, small_picture(look, seed)); };
        plan.jobs.push_back(std::move(job));
    }
    // The first few pictures of the disc are photographs' full size.
    constexpr std::size_t large_pictures = 3;
    std::size_t index = 0;
    for (const Tbig_picture& picture : data.big_picture_store) {
        const QSize size = index++ < large_pictures
                               ? QSize(large_picture_width, large_picture_height)
                               : QSize(big_picture_width, big_picture_height);
        const Tspecies& species = *picture.species;
        const std::string relative = slashes(big_picture_path(
            species.family_directory_name, unique_id_text(species), picture.picture_number));
        if (!plan.claim(relative))
            continue;
        QString caption = to_qstring(species.language_name) + QString::fromUtf8(" \u2013 ") +
                          to_qstring(species.scientific_name);
        if (picture.subspecies_ref && picture.subspecies_ref->subspecies)
            caption += " " + to_qstring(picture.subspecies_ref->subspecies->name);
        Job job;
        job.kind = "big pictures";
        job.outputs = {relative};
        job.recipe = std::string(big_picture_version) + "|" + unique_id_text(species) + "|" +
                     std::to_string(species.species_id) + "|" +
                     std::to_string(picture.picture_number) + "|" + caption.toStdString();
        job.cost = 1;
        if (size.width() != big_picture_width) {
            job.recipe += "|" + std::to_string(size.width()) + "x" + std::to_string(size.height());
            job.cost = 6;
        }
        const BirdLook look = look_for_species(species.unique_id, species.species_id);
        const std::uint64_t seed = seed_of({species.unique_id, picture.picture_number, 2});
        const std::string path = under_base(setting.base, relative);
        job.run = [=] { write_jpeg(path, big_picture(look, seed, caption, size)); };
        plan.jobs.push_back(std::move(job));
    }
}

void plan_distribution_maps(const Tdata& data, const Setting& setting, Plan& plan,
                            std::map<std::string, int>& per_storage) {
    const std::shared_ptr<const MapSources> sources =
        load_map_sources(PEMMARO_GEOGRAPHY_FILE, PEMMARO_REGION_MAP_FILE);
    int made = 0;
    for (const Tspecies& species : data.species_store) {
        for (int n = 1; n <= species.map_count; ++n) {
            const MapReference& reference = species.maps[static_cast<std::size_t>(n)];
            const Tmap_data* map = reference.map;
            if (map == nullptr)
                continue;
            const std::string relative = slashes(
                distribution_map_path(species.family_directory_name, unique_id_text(species), n,
                                      product().capabilities.distribution_map_extension));
            if (!plan.claim(relative))
                continue;
            MapRequest request;
            request.frame = {
                static_cast<double>(map->first_pair.x), static_cast<double>(map->first_pair.y),
                static_cast<double>(map->second_pair.x), static_cast<double>(map->second_pair.y)};
            if (request.frame.east <= request.frame.west ||
                request.frame.north <= request.frame.south) {
                plan.errors.push_back("map \"" + map->name + "\" of " + species.scientific_name +
                                      " has no area (west, north, east, south wrong way round)");
                continue;
            }
            request.is_mask = reference.is_mask;
            if (const auto* area =
                    dynamic_cast<const TSolvaraArea*>(species.occurrence_areas.get()))
                request.range = area->Items;
            request.migration = species.flag_m;
            request.seed = seed_of({species.unique_id, species.species_id, 3});
            const auto storage = static_cast<MapStorage>(made++ % 3);
            ++per_storage[storage_name(storage)];
            Job job;
            job.kind = "distribution maps";
            job.outputs = {relative};
            std::ostringstream recipe;
            recipe << map_version << "|" << sources->fingerprint << "|" << species.unique_id << "|"
                   << species.species_id << "|" << request.frame.west << "," << request.frame.north
                   << "," << request.frame.east << "," << request.frame.south << "|"
                   << request.is_mask << "|" << request.migration << "|" << storage_name(storage)
                   << "|";
            for (bool item : request.range)
                recipe << (item ? '1' : '0');
            job.recipe = recipe.str();
            job.cost = request.is_mask ? 0.3 : 1;
            const std::string path = under_base(setting.base, relative);
            job.run = [=] {
                const IndexedImage image = draw_distribution_map(*sources, request);
                write_file_atomically(path, map_file_bytes(image, storage));
                check_map_file(path, image);
            };
            plan.jobs.push_back(std::move(job));
        }
    }
}

void plan_spoken_names(const Tdata& data, const Setting& setting, Plan& plan) {
    const ProductSettings& edition = product();
    const bool second_language =
        edition.edition_spanish || edition.edition_dutch || edition.edition_portuguese;
    for (const Tspecies& species : data.species_store) {
        if (species.language_name.empty()) {
            plan.notes.push_back("no spoken name for " + species.scientific_name +
                                 ": it has no English name");
            continue;
        }
        const std::string relative = slashes(spoken_name_path(
            species.family_directory_name, unique_id_text(species), second_language));
        if (!plan.claim(relative))
            continue;
        const std::string name = to_qstring(species.language_name).toStdString();
        Job job;
        job.kind = "spoken names";
        job.outputs = {relative};
        job.recipe = std::string(voice_version) + "|" + name;
        job.cost = 0.5;
        job.tools = {"espeak-ng"};
        const std::string path = under_base(setting.base, relative);
        job.run = [=] { write_spoken_name(path, name); };
        plan.jobs.push_back(std::move(job));
    }
}

std::string html_text(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string placeholder_page(const Tlocality& locality) {
    const std::string name = html_text(locality.name);
    std::string where = html_text(locality.region_text);
    if (!locality.country.empty())
        where += (where.empty() ? "" : ", ") + html_text(locality.country);
    return "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=windows-1252\">\r\n<title>" +
           name + "</title>\r\n</head>\r\n<body>\r\n<h1>" + name + "</h1>\r\n<p>" + where +
           "</p>\r\n<p>No description of this site yet.</p>\r\n</body>\r\n</html>\r\n";
}

void plan_site_descriptions(const Tdata& data, const Setting& setting, Plan& plan) {
    for (const Tlocality& locality : data.locality_store) {
        const std::optional<std::string> data_path =
            site_description_path(locality.description_file);
        if (!data_path)
            continue;
        const std::string relative = slashes(*data_path);
        if (!plan.claim(relative))
            continue;
        Job job;
        job.kind = "site descriptions";
        job.outputs = {relative};
        job.cost = 0.05;
        const std::string path = under_base(setting.base, relative);
        const std::optional<std::string> source =
            resolve_existing_path(setting.disc + "/site-descriptions/" + locality.description_file);
        std::error_code error;
        if (source && fs::is_regular_file(*source, error)) {
            const std::vector<std::uint8_t> bytes = read_bytes(*source);
            job.recipe = std::string(site_version) + "|" +
                         hex(text_hash(std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                                        bytes.size())));
            job.run = [=] { write_file_atomically(path, bytes); };
        } else {
            plan.notes.push_back("site-descriptions/" + locality.description_file +
                                 " is missing: wrote a placeholder page for " + locality.key);
            const std::string page = placeholder_page(locality);
            job.recipe = std::string(site_version) + "|placeholder|" + hex(text_hash(page));
            job.run = [=] { write_file_atomically(path, page); };
        }
        plan.jobs.push_back(std::move(job));
    }
}

using Manifest = std::map<std::string, std::string>; // relative path -> recipe hash

Manifest read_manifest(const std::string& path) {
    Manifest manifest;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos)
            manifest[line.substr(tab + 1)] = line.substr(0, tab);
    }
    return manifest;
}

void write_manifest(const std::string& path, const Manifest& manifest) {
    std::string text;
    for (const auto& [relative, recipe] : manifest)
        text += recipe + "\t" + relative + "\n";
    write_file_atomically(path, text);
}

bool is_fresh(const Job& job, const Manifest& manifest, const std::string& base) {
    const std::string recipe = hex(text_hash(job.recipe));
    return std::all_of(job.outputs.begin(), job.outputs.end(), [&](const std::string& output) {
        const auto found = manifest.find(output);
        std::error_code error;
        return found != manifest.end() && found->second == recipe &&
               fs::is_regular_file(under_base(base, output), error);
    });
}

// Runs the jobs on a few threads, largest first; returns the failures.
std::vector<std::string> run_jobs(std::vector<Job*> work, int threads) {
    std::sort(work.begin(), work.end(),
              [](const Job* a, const Job* b) { return a->cost > b->cost; });
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::vector<std::string> failures;
    const auto worker = [&] {
        while (true) {
            const std::size_t i = next++;
            if (i >= work.size())
                return;
            try {
                work[i]->run();
            } catch (const std::exception& error) {
                const std::lock_guard lock(mutex);
                failures.push_back(work[i]->outputs.front() + ": " + error.what());
                work[i]->outputs.clear(); // not fresh: the next run tries again
            }
        }
    };
    {
        std::vector<std::jthread> pool;
        for (int t = 0; t < std::max(1, threads); ++t)
            pool.emplace_back(worker);
    }
    return failures;
}

std::string megabytes(std::uintmax_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

int generate(const Setting& setting) {
    const auto started = std::chrono::steady_clock::now();
    const std::unique_ptr<Tdata> data = load_sample_disc(setting);

    Plan plan;
    std::map<int, int> per_compression;
    std::map<std::string, int> per_storage;
    std::vector<std::string> identities;
    plan_audio_cds(*data, setting, plan, identities);
    plan_sound_files(*data, setting, plan, per_compression);
    plan_pictures(*data, setting, plan);
    plan_distribution_maps(*data, setting, plan, per_storage);
    plan_spoken_names(*data, setting, plan);
    plan_site_descriptions(*data, setting, plan);
    for (const std::string& identity : identities)
        std::cout << identity << "\n";
    if (!plan.errors.empty()) {
        for (const std::string& error : plan.errors)
            std::cerr << "pemmaro_make_sample_media: " << error << "\n";
        return 1;
    }

    const std::string manifest_path = under_base(setting.base, manifest_name);
    const Manifest old_manifest = read_manifest(manifest_path);
    std::vector<Job*> work;
    std::set<std::string> tools;
    for (Job& job : plan.jobs) {
        if (!is_fresh(job, old_manifest, setting.base)) {
            work.push_back(&job);
            tools.insert(job.tools.begin(), job.tools.end());
        }
    }
    for (const std::string& tool : tools) {
        if (!tool_available(tool)) {
            std::cerr << "pemmaro_make_sample_media: " << tool
                      << " is not installed (scripts/install-deps.sh installs it)\n";
            return 1;
        }
    }
    const std::size_t remade = work.size();
    const std::vector<std::string> failures = run_jobs(work, setting.threads);

    // Files of the last run that the data no longer names.
    int removed = 0;
    for (const auto& [relative, recipe] : old_manifest) {
        std::error_code error;
        if (!plan.claimed.contains(relative) &&
            fs::remove(under_base(setting.base, relative), error))
            ++removed;
    }
    Manifest manifest;
    std::map<std::string, std::pair<int, std::uintmax_t>> per_kind;
    for (const Job& job : plan.jobs) {
        for (const std::string& output : job.outputs) {
            manifest[output] = hex(text_hash(job.recipe));
            std::error_code error;
            const std::uintmax_t size = fs::file_size(under_base(setting.base, output), error);
            auto& [count, bytes] = per_kind[job.kind];
            ++count;
            bytes += error ? 0 : size;
        }
    }
    write_manifest(manifest_path, manifest);

    for (const std::string& note : plan.notes)
        std::cout << "note: " << note << "\n";
    for (const auto& [kind, totals] : per_kind)
        std::cout << kind << ": " << totals.first << " files, " << megabytes(totals.second) << "\n";
    std::cout << "sound files by compression number:";
    for (const auto& [compression, count] : per_compression)
        std::cout << " " << compression << " (" << encoding_for(compression).name << "): " << count
                  << ";";
    std::cout << "\ndistribution maps by storage:";
    for (const auto& [storage, count] : per_storage)
        std::cout << " " << storage << ": " << count << ";";
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "\n"
              << remade << " of " << plan.jobs.size() << " jobs run, " << removed
              << " stale files removed, " << seconds << " s on " << setting.threads
              << " threads, in " << setting.base << "\n";
    if (!failures.empty()) {
        for (const std::string& failure : failures)
            std::cerr << "pemmaro_make_sample_media: " << failure << "\n";
        return 1;
    }
    return 0;
}

} // namespace

} // namespace pemmaro::media

int main(int argc, char** argv) {
    using namespace pemmaro::media;
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::cerr << "pemmaro_make_sample_media: cannot create a temporary folder\n";
        return 1;
    }
    // Pictures are painted off screen; no window is ever shown. Build machines
    // often have no runtime folder, which Qt would warn about.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", scratch.path().toLocal8Bit());
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::cerr << "usage: pemmaro_make_sample_media SAMPLE_DISC_FOLDER BASE_FOLDER [--jobs N]\n";
        return 2;
    }
    Setting setting;
    setting.disc =
        std::filesystem::absolute(arguments[1].toStdString()).lexically_normal().string();
    setting.base =
        std::filesystem::absolute(arguments[2].toStdString()).lexically_normal().string();
    while (!setting.disc.empty() && setting.disc.back() == '/')
        setting.disc.pop_back();
    setting.scratch = scratch.path().toStdString();
    setting.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (qsizetype i = 3; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--jobs")
            setting.threads = std::max(1, arguments[i + 1].toInt());
    }
    try {
        return generate(setting);
    } catch (const std::exception& error) {
        std::cerr << "pemmaro_make_sample_media: " << error.what() << "\n";
        return 1;
    }
}
