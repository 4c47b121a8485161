#pragma once
// Files, folders and processes, with the messages the user reads when they fail.
// Every function that returns a bool error flag returns true on failure.

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

struct CommonServices;

// Flags of find_data_file.
inline constexpr int skip_current_directory = 1;
inline constexpr int skip_program_directory = 4;

// Looks the name up (1) against the current directory, (2) in the start-up
// directory and (3) in the program directory; 2 and 3 only for relative names.
// Returns the existing file's full name.
std::optional<std::string> find_data_file(std::string_view name, const CommonServices& folders,
                                          int flags = 0);
// The same in the program's folders.
std::optional<std::string> find_data_file(std::string_view name, int flags = 0);

enum class FileKind { directory = 0, existing_file = 1, missing = 2, error = 3 };
struct FileStatus {
    FileKind kind = FileKind::missing;
    int code = 0; // the system's error code with FileKind::error
};
FileStatus file_status(std::string_view name);

bool GLB_copy_file(const std::string& source, const std::string& destination);
bool GLB_create_directory(const std::string& folder);
bool delete_folder_tree(const std::string& folder);
bool same_file(const std::string& a, const std::string& b);
std::vector<std::string> list_folder(const std::string& folder, bool directories_only,
                                     bool with_path, bool upper_case);

// Called with the destination name before each copy.
using SynchroniseProgress = std::function<void(const std::string& destination)>;
// The stop flag may be set from another thread; it is read between files.
bool synchronise_folder(const std::string& source, const std::string& destination, bool recursive,
                        const SynchroniseProgress& progress, const std::atomic<bool>& stop,
                        bool remove_extra);

// The folder prepended when the name is relative.
std::string make_absolute(std::string_view name, std::string_view folder);

// Starts the program with the arguments; with wait the caller blocks until it
// ends. Window placement (maximise, position) is left to the desktop here.
bool execute(const std::string& application, const std::vector<std::string>& arguments, bool wait,
             bool maximise = false, int x_position = 0, bool use_position = false);

// Opens a file or address with its associated program.
void open_document(const std::string& name);

} // namespace pemmaro
