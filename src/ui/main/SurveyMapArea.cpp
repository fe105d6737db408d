#include "ui/main/SurveyMapArea.h"

#include "ui/gis/GisExportCommand.h"
#include "ui/main/CommandSet.h"
#include "ui/main/GisArea.h"
#include "ui/main/MainWindow.h"
#include "ui/surveymap/SurveyMapWindow.h"

namespace vemo {

void InstallSurveyMap(MainWindow& main) {
    auto* window = new surveymap::SurveyMapWindow(main.workspace(), &main);
    main.commands().connect(Cmd::BlkSurveyMap, [&main, window] {
        std::filesystem::path site = OpenSiteFolder(main);
        std::optional<gis::ZoneChoice> zone = SiteZoneOrAsk(&main, site);
        window->open(site, zone ? zone->zone : 0);
    });
}

} // namespace vemo
