#include "platform/ProgramResources.h"

#include <QtGlobal>
#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void register_program_resources() {
    Q_INIT_RESOURCE(pemmaro);
}

namespace pemmaro {

void ensure_program_resources() {
    static std::once_flag registered;
    std::call_once(registered, register_program_resources);
}

} // namespace pemmaro
