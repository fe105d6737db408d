// Entry point of the UI test programs: the program's own application object (so events pass the one
// command boundary, which shows errors and makes undo steps) on the offscreen platform, numbers in the C
// locale, and VEMO_HOME pointing at a fresh temporary folder so no test touches a real settings file.
#include "ui/common/Application.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

#include "support/TempDir.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    vemo::test::TempDir home;
    setenv("VEMO_HOME", home.Str().c_str(), 1);
    vemo::Application app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
