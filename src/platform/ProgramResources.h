#pragma once
// The program's resources (bitmaps, cursors, icons, pictures) live in a static
// library, so they are registered explicitly before the first use.

namespace pemmaro {

void ensure_program_resources();

} // namespace pemmaro
