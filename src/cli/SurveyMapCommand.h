#pragma once

namespace vemo::cli {

// vemo-cli survey-map: the 地積測量図 of parcels as a PDF at true scale or a DXF in ground coordinates.
int RunSurveyMap(int argc, char** argv);

} // namespace vemo::cli
