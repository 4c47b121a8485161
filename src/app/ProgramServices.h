#pragma once
// The program's wiring: what each window subsystem is given of the others.
// The subsystems never include each other; they meet here.

#include "browse/BrowsingServices.h"

namespace pemmaro {

// The browsing windows' services: the program's sound bars, small picture
// cache, web browser, help, sound editor choice, audio CD drive and map windows.
BrowsingServices program_browsing_services();

// What the "My Audio CDs" dialog is given: the device count, the drive
// dialog, the help and the folder dialog.
struct SelectAudioCdsServices;
SelectAudioCdsServices audio_cd_dialog_services();

// What the play list window is given: the data set, the browsing windows'
// sound bars and naming, the help and the file dialogs.
struct PlayListServices;
PlayListServices play_list_services();

} // namespace pemmaro
