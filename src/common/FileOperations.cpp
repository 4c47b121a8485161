#include "common/FileOperations.h"

#include "common/ProgramFolders.h"
#include "platform/Ansi.h"
#include "platform/FileIO.h"
#include "platform/Log.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/Shell.h"

#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace pemmaro {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t copy_buffer_size = 64 * 1024;
constexpr std::size_t caption_length = 100;

std::string join_path(std::string_view folder, std::string_view name) {
    std::string result(folder);
    if (!result.empty() && !is_separator(result.back()))
        result += '/';
    result += name;
    return result;
}

std::string joined_arguments(const std::vector<std::string>& arguments) {
    std::string result;
    for (const std::string& argument : arguments) {
        if (!result.empty())
            result += ' ';
        result += argument;
    }
    return result;
}

// The existing entry of that name (backslashes, other case), else the name as given,
// so that creating it later uses the caller's spelling.
std::string existing_or_given(const std::string& name) {
    return resolve_existing_path(name).value_or(to_native_separators(name));
}

// A caption of the file's name, cut between characters, never inside one.
MessageText file_caption(const std::string& file) {
    return system_text(
        QString::fromStdString(file).left(static_cast<qsizetype>(caption_length)).toStdString());
}

bool copy_failed(const std::string& file, const char* what, int code) {
    message_with_caption(file_caption(file),
                         what + std::to_string(code) + " (" + system_text(system_error_text(code)) +
                             ")",
                         MessageIcon::error, MessageButtons::ok);
    return true;
}

// Removes the half-written copy unless it was put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path)
        : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!kept_)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    std::string path_;
    bool kept_ = false;
};

// One name per destination, so that the partial file of a killed copy is
// replaced by the next copy of that file instead of staying for good.
std::string temporary_name_beside(const std::string& destination) {
    const fs::path path(destination);
    const std::string name = "." + path.filename().string() + ".copying";
    const std::string folder = path.parent_path().string();
    return folder.empty() ? name : join_path(folder, name);
}

struct FolderEntry {
    std::string name;
    std::string upper;
    bool is_directory = false;
};

// Entries sorted by name; links count as what they point to.
std::vector<FolderEntry> read_folder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    std::optional<std::string> resolved = resolve_existing_path(folder);
    if (!resolved)
        return entries;
    std::error_code ec;
    fs::directory_iterator it(*resolved, ec);
    if (ec)
        return entries;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::error_code kind_ec;
        std::string name = it->path().filename().string();
        entries.push_back({name, upper_case(name), it->is_directory(kind_ec)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

bool is_real_directory(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(path, ec));
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::optional<std::string> find_data_file(std::string_view name, int flags) {
    return find_data_file(name, common_services(), flags);
}

std::optional<std::string> find_data_file(std::string_view name, const CommonServices& services,
                                          int flags) {
    std::vector<std::string> candidates;
    if ((flags & skip_current_directory) == 0)
        candidates.emplace_back(name);
    if (is_relative_path(name)) {
        // An unset directory would only repeat the current directory.
        if (!services.startup_directory.empty())
            candidates.push_back(services.startup_directory + std::string(name));
        if ((flags & skip_program_directory) == 0 && !services.program_directory.empty())
            candidates.push_back(services.program_directory + std::string(name));
        // An installed program's own sample disc comes last, after the user's folders.
        if ((flags & skip_program_directory) == 0 && !services.installed_data_directory.empty())
            candidates.push_back(services.installed_data_directory + std::string(name));
    }
    for (const std::string& candidate : candidates) {
        std::optional<std::string> resolved = resolve_existing_path(candidate);
        std::error_code ec;
        if (resolved && fs::is_regular_file(*resolved, ec))
            return resolved;
    }
    return std::nullopt;
}

FileStatus file_status(std::string_view name) {
    if (is_drive_letter_path(name))
        return {FileKind::missing, 0};
    // When no spelling resolves, the name as given tells why: missing or unreachable.
    std::string path = resolve_existing_path(name).value_or(to_native_separators(name));
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        int code = errno;
        if (code == ENOENT || code == ENOTDIR)
            return {FileKind::missing, 0};
        return {FileKind::error, code};
    }
    return {S_ISDIR(info.st_mode) ? FileKind::directory : FileKind::existing_file, 0};
}

bool GLB_copy_file(const std::string& source, const std::string& destination) {
    PosixFile input;
    if (int code = input.open(existing_or_given(source), PosixFile::Mode::read))
        return copy_failed(source, "Could not open Source File, reason is ", code);

    // Written beside the destination and renamed over it at the end, so a failed copy
    // never leaves a half file under the destination's name.
    TemporaryFile temporary(temporary_name_beside(destination));
    ::unlink(temporary.path().c_str());
    PosixFile output;
    if (int code = output.open(temporary.path(), PosixFile::Mode::write_new))
        return copy_failed(destination, "Could not open Destination File, reason is ", code);

    std::vector<char> buffer(copy_buffer_size);
    for (;;) {
        std::size_t count = 0;
        if (int code = input.read(buffer.data(), buffer.size(), count))
            return copy_failed(
                source, "Something went wrong when reading from source file, reason is ", code);
        if (count == 0)
            break;
        if (int code = output.write_all(buffer.data(), count))
            return copy_failed(destination,
                               "Something went wrong when writing to destination file, reason is ",
                               code);
    }
    if (int code = output.close())
        return copy_failed(
            destination, "Something went wrong when writing to destination file, reason is ", code);
    // Without the source's time the next synchronisation would copy the file again.
    if (int code = copy_file_time(existing_or_given(source), temporary.path()))
        return copy_failed(
            destination, "Something went wrong when writing to destination file, reason is ", code);
    if (::rename(temporary.path().c_str(), destination.c_str()) != 0)
        return copy_failed(destination, "Could not open Destination File, reason is ", errno);
    temporary.keep();
    return false;
}

bool GLB_create_directory(const std::string& folder) {
    std::string path = to_native_separators(folder);
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status))
        return false;
    if (fs::exists(status)) {
        message("Procedure \"GLB_create_directory()\" wanted to create subdirectory \"" +
                    system_text(folder) + "\", but a file with the same name already exists.",
                MessageIcon::error);
        return true;
    }
    if (make_directory(path) != 0) {
        message("Something went wrong in procedure \"GLB_create_directory()\" when creating "
                "subdirectory \"" +
                    system_text(folder) + "\".",
                MessageIcon::error);
        return true;
    }
    return false;
}

bool delete_folder_tree(const std::string& folder) {
    if (message("Is it OK to delete the subdirectory \"" + system_text(folder) + "\"?",
                MessageIcon::question, MessageButtons::yes_no) != MessageAnswer::yes)
        return true;

    std::string path = to_native_separators(folder);
    std::error_code ec;
    bool error = false;
    // A link to a folder goes by itself; what it points to is not ours to delete.
    if (!fs::is_symlink(fs::symlink_status(path, ec))) {
        std::vector<std::string> names;
        fs::directory_iterator it(path, ec);
        for (const fs::directory_iterator end; !ec && it != end; it.increment(ec))
            names.push_back(it->path().filename().string());
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            std::string entry = join_path(path, name);
            if (is_real_directory(entry)) {
                if (delete_folder_tree(join_path(folder, name)))
                    error = true;
            } else {
                std::error_code remove_ec;
                fs::remove(entry, remove_ec);
            }
        }
    }
    // A folder something was left in cannot go; the message below says so.
    if (!fs::remove(path, ec) || ec) {
        message_with_caption("Something went wrong when deleting directory:", system_text(folder),
                             MessageIcon::error, MessageButtons::ok);
        return true;
    }
    return error;
}

bool same_file(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(existing_or_given(a).c_str(), &first) != 0 ||
        ::stat(existing_or_given(b).c_str(), &second) != 0)
        return false;
    return first.st_size == second.st_size && first.st_mtim.tv_sec == second.st_mtim.tv_sec &&
           first.st_mtim.tv_nsec == second.st_mtim.tv_nsec;
}

std::vector<std::string> list_folder(const std::string& folder, bool directories_only,
                                     bool with_path, bool upper_case) {
    std::vector<std::string> result;
    for (const FolderEntry& entry : read_folder(folder)) {
        if (directories_only && !entry.is_directory)
            continue;
        result.push_back(upper_case ? entry.upper : entry.name);
    }
    if (upper_case)
        std::sort(result.begin(), result.end());
    if (with_path) {
        for (std::string& name : result)
            name = join_path(folder, name);
    }
    return result;
}

bool synchronise_folder(const std::string& source, const std::string& destination, bool recursive,
                        const SynchroniseProgress& progress, const std::atomic<bool>& stop,
                        bool remove_extra) {
    std::vector<FolderEntry> source_entries = read_folder(source);
    std::vector<FolderEntry> extra;
    if (remove_extra)
        extra = read_folder(destination);

    bool error = false;
    for (const FolderEntry& entry : source_entries) {
        if (entry.is_directory)
            continue;
        if (stop)
            break;
        std::string from = join_path(source, entry.name);
        // A destination file spelt differently is the same file, as on the disc's systems.
        std::string to = existing_or_given(join_path(destination, entry.name));
        if (!same_file(from, to)) {
            if (progress)
                progress(to);
            if (GLB_copy_file(from, to)) {
                error = true;
                break;
            }
        }
        if (remove_extra)
            std::erase_if(extra, [&](const FolderEntry& e) { return e.upper == entry.upper; });
    }
    if (stop || error)
        return error;

    std::vector<std::string> source_folders;
    for (const FolderEntry& entry : source_entries) {
        if (entry.is_directory)
            source_folders.push_back(entry.upper);
    }

    // What could not be deleted does not stop the copying; it only makes the result an error.
    bool left_over = false;
    if (remove_extra) {
        for (const FolderEntry& entry : extra) {
            if (stop)
                return error;
            if (contains(source_folders, entry.upper))
                continue;
            std::string path = existing_or_given(join_path(destination, entry.name));
            if (is_real_directory(path)) {
                if (delete_folder_tree(path))
                    left_over = true;
            } else {
                std::error_code ec;
                if (!fs::remove(path, ec)) {
                    log_line("Could not delete \"" + path + "\": " + ec.message());
                    left_over = true;
                }
            }
        }
    }

    if (recursive) {
        for (const FolderEntry& entry : source_entries) {
            if (!entry.is_directory)
                continue;
            if (stop)
                break;
            std::string to = existing_or_given(join_path(destination, entry.name));
            if (GLB_create_directory(to) ||
                synchronise_folder(join_path(source, entry.name), to, recursive, progress, stop,
                                   remove_extra)) {
                error = true;
                break;
            }
        }
    }
    return error || left_over;
}

std::string make_absolute(std::string_view name, std::string_view folder) {
    if (!is_relative_path(name) || folder.empty())
        return std::string(name);
    return join_path(folder, name);
}

bool execute(const std::string& application, const std::vector<std::string>& arguments, bool wait,
             bool maximise, int x_position, bool use_position) {
    // Window placement belongs to the desktop's window manager here; the requests are ignored.
    static_cast<void>(maximise);
    static_cast<void>(x_position);
    static_cast<void>(use_position);

    ProcessOutcome outcome = start_program(application, arguments, wait);
    if (!outcome.started) {
        message_with_caption("",
                             "Could not execute \"" +
                                 system_text(application + " " + joined_arguments(arguments)) +
                                 "\".\nError code is " + system_text(outcome.error_text),
                             MessageIcon::error, MessageButtons::ok);
        return true;
    }
    if (wait && !outcome.waited) {
        message("Something went wrong when waiting for the process \"" +
                    system_text(joined_arguments(arguments)) + "\" to return!",
                MessageIcon::error);
        return true;
    }
    return false;
}

void open_document(const std::string& name) {
    if (!open_with_desktop(name))
        log_line("The desktop could not open \"" + name + "\" with an associated program.");
}

} // namespace pemmaro
