#include "ui/main/GisArea.h"

#include "core/files/DataPaths.h"
#include "core/settings/ProgramFolder.h"
#include "core/store/Store.h"
#include "core/text/MessagesMain.h"
#include "core/text/Numbers.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/gis/GisExportCommand.h"
#include "ui/gis/LatLonDialog.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"

namespace vemo {

std::filesystem::path OpenSiteFolder(MainWindow& main) {
    const CurrentNames& names = main.store().names;
    if (names.CaseName.empty() || names.DatDir.empty()) {
        return {};
    }
    return SiteFolder(PathFromCp932(names.DatDir), names.CaseName);
}

namespace {

void ShowLatLon(MainWindow& main, LatLonDialog* dialog) {
    XyzListPanel* panel = main.xyzListPanel();
    const XyzList& list = main.store().xyz;
    int row = panel != nullptr ? panel->grid()->currentCell().row : 0;
    std::optional<double> x;
    std::optional<double> y;
    if (row >= 1 && row < list.RowCount()) {
        x = TryStrToFloat(list.Cell(row, kColX));
        y = TryStrToFloat(list.Cell(row, kColY));
    }
    if (!x || !y) {
        MessageBox::ShowCp932(&main, msg::SelectRowWithXY());
        return;
    }
    std::optional<gis::ZoneChoice> zone = SiteZoneOrAsk(&main, OpenSiteFolder(main));
    if (!zone) {
        return;
    }
    dialog->setZone(*zone);
    dialog->showPoint(FromCp932(list.Cell(row, kColName)), *x, *y);
    dialog->show();
    dialog->raise();
}

} // namespace

void InstallGis(MainWindow& main) {
    auto* dialog = new LatLonDialog(&main);
    main.commands().connect(Cmd::FileExportGis,
                            [&main] { ExportSiteToGis(&main, main.store(), OpenSiteFolder(main)); });
    main.commands().connect(Cmd::ListLatLon, [&main, dialog] { ShowLatLon(main, dialog); });
}

} // namespace vemo
