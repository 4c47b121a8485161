#pragma once
// The running program's folder, known before any Qt application object exists.

#include <string>

namespace pemmaro {

// The folder of the running program, as QCoreApplication::applicationDirPath()
// gives it once the application exists; argv0 when the system does not say.
std::string running_program_directory(const char* argv0);

} // namespace pemmaro
