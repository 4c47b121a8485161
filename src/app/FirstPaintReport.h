#pragma once
// The start-up benchmark's probe: when PEMMARO_REPORT_FIRST_PAINT is set, the
// window's first paint is reported on standard output as
// "first-paint <resident kB> <peak resident kB>", and with the value "quit"
// the application then quits. The bare window of bench/ uses the same probe,
// so both are timed alike.

class QWidget;

namespace pemmaro {

void report_first_paint_when_asked(QWidget& window);

} // namespace pemmaro
