#pragma once
// Ends the modal dialogs that are open, as their Cancel or No would: when the
// program must end (a logout's termination signal), nobody is there to answer.

namespace pemmaro {

// Returns whether any modal window was still open.
bool end_modal_dialogs();

} // namespace pemmaro
