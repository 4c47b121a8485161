#pragma once
// A cursor over all of the program's windows for the life of the object;
// nothing happens without a GUI application (the data check on the command line).

#include <Qt>

namespace pemmaro {

class OverrideCursor {
public:
    explicit OverrideCursor(Qt::CursorShape shape);
    ~OverrideCursor();
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;

private:
    bool set_ = false;
};

} // namespace pemmaro
