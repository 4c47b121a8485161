#pragma once
// Loading the data set from the ten data text files, in their fixed order.
// Every data error is fatal (message, exit code 1).

#include "common/CoreContext.h"
#include "data/DataSet.h"

#include <memory>
#include <string>

namespace pemmaro {

struct SettingsFile;

// The whole data set, loaded in the fixed order.
std::unique_ptr<Tdata> load_data(const CoreContext& context);
// "families 12/0/0, species 60, ...": the counts a data maker checks.
std::string data_set_counts(const Tdata& data);
// Writes the audio CDs' hard-disk state to the settings file.
void save_audio_cd_state(const Tdata& data, const SettingsFile& settings);

} // namespace pemmaro
