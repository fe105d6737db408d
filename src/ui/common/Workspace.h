#pragma once

#include "core/settings/Settings.h"
#include "core/store/Store.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace vemo {

struct AppLocations;

// The data of one run: the store (coordinate list, parcels, name index, current names) and the
// settings read from "VEMO.ini".  Start-up creates it before any window and destroys it after all of
// them, so a window may observe the store until its very end.
//
// It says what changed.  Every operation on the coordinate list or the parcel list is reported once
// it is done (the name index has already been marked stale by then, so a slot may look points up);
// a list replaced as a whole (a file loaded, the list cleared) is reported as replaced as well.  The
// settings dialog writes `settings()` and calls `announceSettings()`, and every window applies what it
// takes from the settings in its slot for `settingsChanged`.
class Workspace : public QObject {
    Q_OBJECT
public:
    // Reads the settings file of the given places (ResolveLocations when none are given: VEMO_HOME, a
    // portable copy or the desktop's folders); problems met there and files moved from an older place
    // are kept in `startMessages()` for the main window to show.
    explicit Workspace(const AppLocations& places, QObject* parent = nullptr);
    // Everything in one folder (settings, auto-save, link files, data).
    explicit Workspace(const std::string& programFolder, QObject* parent = nullptr);
    Workspace();
    ~Workspace() override;

    Store& store() { return store_; }
    const Store& store() const { return store_; }
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }

    // The folder of the auto-save files and received observations (`ExeDir` of the store).
    const std::string& programFolder() const { return programFolder_; }
    // Native path of "VEMO.ini".
    const std::string& settingsPath() const { return iniPath_; }
    // Normal as read at start: false means the last run did not end by closing the main window.
    bool normalAtStart() const { return normalAtStart_; }
    // Messages (CP932) about values of the settings file that could not be read.
    const std::vector<std::string>& startMessages() const { return startMessages_; }

    // The settings were changed as a whole (the settings dialog's OK): emits settingsChanged.
    void announceSettings() { emit settingsChanged(); }

    // The data set being edited: site, coordinate data and parcel data (CP932 names of the store's
    // `CurrentNames`, empty for none).  They change only here; every call emits dataNamesChanged, which
    // the main window's caption follows.
    void setDataNames(std::string site, std::string xyz, std::string blk);

signals:
    // Any change of the coordinate list: cells, inserted or removed rows, the whole list.
    void pointsChanged();
    // The coordinate list was replaced as a whole (loaded, cleared); pointsChanged follows.
    void pointsReplaced();
    // Any change of the parcel list.
    void parcelsChanged();
    // The parcel list was replaced as a whole (loaded, cleared); parcelsChanged follows.
    void parcelsReplaced();
    void settingsChanged();
    // The names of the data set being edited were set (setDataNames).
    void dataNamesChanged();

private:
    class Watch;

    std::string programFolder_;
    std::string iniPath_;
    Store store_;
    Settings settings_;
    bool normalAtStart_ = true;
    std::vector<std::string> startMessages_;
    std::unique_ptr<Watch> watch_;
};

} // namespace vemo
