#pragma once
// The end of the process once the program has shut itself down.

namespace pemmaro {

// Flushes the standard streams and leaves without the libraries' exit
// handlers: the sound server client that Qt Multimedia keeps in a global
// aborts now and then when a server message arrives while that global
// disconnects. Everything of ours must be closed and saved before the call.
[[noreturn]] void end_process(int exit_code);

} // namespace pemmaro
