#pragma once

#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PlotArea.h"
#include "ui/main/TreeArea.h"
#include "ui/main/XyzListArea.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace vemo::test {

// A workspace and a main window on their own program folder (holding the given "VEMO.ini", when any), with every
// message box captured instead of shown.
class MainFixture : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
    }
    void TearDown() override {
        window.reset();
        workspace.reset();
        MessageBox::SetCapture(false);
    }

    MainWindow& Open(const std::string& iniBytes = {}) {
        if (!iniBytes.empty()) {
            WriteBytes(IniPath(), iniBytes);
        }
        window.reset();
        workspace = std::make_unique<Workspace>(home.Str());
        window = std::make_unique<MainWindow>(*workspace);
        return *window;
    }
    // The same with the plot, the data tree and the coordinate list installed, the plot first as at
    // start-up.
    MainWindow& OpenWithAreas(const std::string& iniBytes = {}) {
        MainWindow& main = Open(iniBytes);
        InstallPlotArea(main);
        InstallTreeArea(main);
        InstallXyzListArea(main);
        return main;
    }
    std::string IniPath() const { return home.File("VEMO.ini"); }
    std::string IniText() const { return ReadBytes(IniPath()); }

    TempDir home;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<MainWindow> window;
};

} // namespace vemo::test
