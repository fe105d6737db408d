#pragma once

namespace vemo {

class MainWindow;

// Connects 画地 "地積測量図...": the survey map window for the open site, in the zone remembered for it
// (asked the first time, as the GIS export does).
void InstallSurveyMap(MainWindow& main);

} // namespace vemo
