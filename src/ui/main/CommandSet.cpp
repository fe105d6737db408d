#include "ui/main/CommandSet.h"

#include "ui/common/CommandGuard.h"
#include "ui/common/Hint.h"
#include "ui/main/CommandTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QShortcut>
#include <QWidget>

#include <map>

namespace vemo {

CommandSet::CommandSet(QWidget* window)
    : QObject(window), window_(window), actions_(CommandIdCount()), handlers_(CommandIdCount()),
      wanted_(CommandIdCount()) {
    menuEnabled_.fill(true);
    createActions();
    createSharedShortcuts(window);
}

void CommandSet::createActions() {
    for (const CommandInfo& info : CommandTable()) {
        const int i = static_cast<int>(info.id);
        auto* action = new QAction(QString::fromUtf8(info.caption), this);
        action->setCheckable(info.checkable);
        if (*info.shortcut != '\0') {
            action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
        }
        if (*info.hint != '\0') {
            SetHint(action, QString::fromUtf8(info.hint));
        }
        QObject::connect(action, &QAction::triggered, this, [this, id = info.id] { run(id); });
        actions_[i] = action;
        wanted_[i] = info.enabledAtStart && !info.alwaysDisabled;
        refresh(info.id);
    }
}

// Two menu commands may share a key (Ctrl+E edits the profile in the tree menu and starts the editor in
// the list menu).  A window-wide shortcut on both would be ambiguous and run neither, so the key goes to
// one dispatcher and the actions keep theirs only inside their own menu, where it is shown.
void CommandSet::createSharedShortcuts(QWidget* window) {
    std::map<QString, std::vector<Cmd>> byKey;
    for (const CommandInfo& info : CommandTable()) {
        if (*info.shortcut != '\0') {
            byKey[QKeySequence(QString::fromLatin1(info.shortcut)).toString()].push_back(info.id);
        }
    }
    for (auto& [text, commands] : byKey) {
        if (commands.size() < 2) {
            for (Cmd id : commands) {
                window->addAction(action(id));
            }
            continue;
        }
        SharedKey shared{QKeySequence(text), commands, new QShortcut(QKeySequence(text), window)};
        for (Cmd id : commands) {
            action(id)->setShortcutContext(Qt::WidgetShortcut);
        }
        QObject::connect(shared.shortcut, &QShortcut::activated, this, [this, key = shared.key] {
            if (auto target = sharedKeyTarget(key)) {
                trigger(*target);
            }
        });
        sharedKeys_.push_back(std::move(shared));
    }
}

std::optional<Cmd> CommandSet::sharedKeyTarget(const QKeySequence& key) const {
    for (const SharedKey& shared : sharedKeys_) {
        if (shared.key != key) {
            continue;
        }
        const std::optional<Menu> preferred = preferredMenu_ ? preferredMenu_() : std::nullopt;
        if (preferred) {
            for (Cmd id : shared.commands) {
                if (InfoOf(id).menu == *preferred && isEnabled(id)) {
                    return id;
                }
            }
        }
        for (Cmd id : shared.commands) {
            if (isEnabled(id)) {
                return id;
            }
        }
    }
    return std::nullopt;
}

void CommandSet::setPreferredMenu(std::function<std::optional<Menu>()> preferred) {
    preferredMenu_ = std::move(preferred);
}

void CommandSet::connect(Cmd id, std::function<void()> handler) {
    handlers_[static_cast<int>(id)] = std::move(handler);
    refresh(id);
}

bool CommandSet::isConnected(Cmd id) const {
    return static_cast<bool>(handlers_[static_cast<int>(id)]);
}

void CommandSet::setEnabled(Cmd id, bool enabled) {
    wanted_[static_cast<int>(id)] = enabled && !InfoOf(id).alwaysDisabled;
    refresh(id);
}

bool CommandSet::isEnabled(Cmd id) const {
    return action(id)->isEnabled();
}

void CommandSet::setChecked(Cmd id, bool checked) {
    action(id)->setChecked(checked);
}

bool CommandSet::isChecked(Cmd id) const {
    return action(id)->isChecked();
}

void CommandSet::setCaption(Cmd id, const QString& caption) {
    action(id)->setText(caption);
}

void CommandSet::setHint(Cmd id, const QString& hint) {
    SetHint(action(id), hint);
}

void CommandSet::trigger(Cmd id) {
    if (isEnabled(id)) {
        action(id)->trigger();
    }
}

// What the command changes is undone as one step named like the command: the caption without its
// accelerator and dots ("座標整理", "開く（追加）", "SIMAフォーマットを開く").
QString CommandSet::stepName(Cmd id) const {
    static const QRegularExpression decoration(QStringLiteral("\\(&.\\)|&|\\.\\.\\.$"));
    return QString::fromUtf8(InfoOf(id).caption).remove(decoration);
}

void CommandSet::run(Cmd id) {
    const auto& handler = handlers_[static_cast<int>(id)];
    if (handler) {
        RunCommand(handler, window_, stepName(id));
    }
}

void CommandSet::refresh(Cmd id) {
    const int i = static_cast<int>(id);
    const CommandInfo& info = InfoOf(id);
    const bool on = !info.alwaysDisabled && handlers_[i] && wanted_[i] && menuEnabled_[static_cast<int>(info.menu)];
    actions_[i]->setEnabled(on);
}

void CommandSet::populate(QMenuBar* bar) {
    for (int m = 0; m < kMenuCount; ++m) {
        menus_[m] = bar->addMenu(QString::fromUtf8(MenuTitle(static_cast<Menu>(m))));
    }
    for (const CommandInfo& info : CommandTable()) {
        QMenu* menu = menus_[static_cast<int>(info.menu)];
        if (info.separatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(action(info.id));
    }
    for (int m = 0; m < kMenuCount; ++m) {
        refreshMenu(static_cast<Menu>(m));
    }
}

void CommandSet::setMenuEnabled(Menu id, bool enabled) {
    menuEnabled_[static_cast<int>(id)] = enabled;
    refreshMenu(id);
    for (const CommandInfo& info : CommandTable()) {
        if (info.menu == id) {
            refresh(info.id);
        }
    }
}

void CommandSet::refreshMenu(Menu id) {
    if (QMenu* menu = menus_[static_cast<int>(id)]) {
        menu->menuAction()->setEnabled(menuEnabled_[static_cast<int>(id)]);
    }
}

} // namespace vemo
