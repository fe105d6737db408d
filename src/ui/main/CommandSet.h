#pragma once

#include "ui/main/Command.h"

#include <QKeySequence>
#include <QObject>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QShortcut;
class QWidget;

namespace vemo {

// The main window's commands as actions, addressed by Cmd.  A command is enabled only when
// (1) a handler is connected (commands whose windows do not exist yet stay disabled),
// (2) the program's state wants it enabled (setEnabled) and
// (3) its main menu is enabled (the list, plot, parcel and tree menus follow their areas).
// Print, cut, copy and paste are never enabled.  Handlers run behind the command boundary: an
// exception is shown in a message box and the program carries on.
class CommandSet : public QObject {
    Q_OBJECT
public:
    explicit CommandSet(QWidget* window);

    QAction* action(Cmd id) const { return actions_[static_cast<int>(id)]; }

    // Connects the command's handler (replacing any earlier one).
    void connect(Cmd id, std::function<void()> handler);
    bool isConnected(Cmd id) const;

    // The state the program wants; the action is enabled when it is also connected and its menu is on.
    void setEnabled(Cmd id, bool enabled);
    bool isWanted(Cmd id) const { return wanted_[static_cast<int>(id)]; }
    bool isEnabled(Cmd id) const;

    void setChecked(Cmd id, bool checked);
    bool isChecked(Cmd id) const;

    // Caption and hint ("short|long") set at run time (the external-program commands).
    void setCaption(Cmd id, const QString& caption);
    void setHint(Cmd id, const QString& hint);

    // Runs the command as the menu would (nothing when it is disabled).
    void trigger(Cmd id);
    // The name of the undo step the command makes.
    QString stepName(Cmd id) const;

    // Builds the main menus into the bar.
    void populate(QMenuBar* bar);
    QMenu* menu(Menu id) const { return menus_[static_cast<int>(id)]; }
    void setMenuEnabled(Menu id, bool enabled);
    bool isMenuEnabled(Menu id) const { return menuEnabled_[static_cast<int>(id)]; }

    // A key shared by several commands (Ctrl+E: profile editing and the editor) is given to the first
    // enabled one in menu order, except that a command of the menu chosen by this function (the menu
    // of the area holding the focus) goes first.
    void setPreferredMenu(std::function<std::optional<Menu>()> preferred);
    // The command a shared key would run now, if any.
    std::optional<Cmd> sharedKeyTarget(const QKeySequence& key) const;

private:
    void createActions();
    void createSharedShortcuts(QWidget* window);
    void refresh(Cmd id);
    void refreshMenu(Menu id);
    void run(Cmd id);

    QWidget* window_;
    // Indexed by id: the named commands and the calculation tabs' (CommandIdCount()).
    std::vector<QAction*> actions_;
    std::vector<std::function<void()>> handlers_;
    std::vector<bool> wanted_;
    std::array<QMenu*, kMenuCount> menus_{};
    std::array<bool, kMenuCount> menuEnabled_{};
    std::function<std::optional<Menu>()> preferredMenu_;
    struct SharedKey {
        QKeySequence key;
        std::vector<Cmd> commands;
        QShortcut* shortcut = nullptr;
    };
    std::vector<SharedKey> sharedKeys_;
};

} // namespace vemo
