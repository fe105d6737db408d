#include "ui/common/SystemBeep.h"

#include <QApplication>

namespace vemo {
namespace {
int beepCount = 0;
}

void SystemBeep::Beep() {
    ++beepCount;
    QApplication::beep();
}

int SystemBeep::Count() {
    return beepCount;
}

void SystemBeep::ResetCount() {
    beepCount = 0;
}

} // namespace vemo
