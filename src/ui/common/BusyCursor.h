#pragma once

#include <QApplication>

namespace vemo {

// The busy cursor for the length of a long command (file, cleanup, index rebuild), restored however
// the command ends.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace vemo
