#include "ui/main/UndoCommands.h"

#include "core/store/UndoHistory.h"
#include "ui/common/Cp932Text.h"
#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ToolRegistry.h"

#include <QAction>
#include <QKeySequence>

#include <string>

namespace vemo {
namespace {

// "元に戻す「座標整理」(&U)"; without a step, the plain caption.
QString Caption(const QString& verb, const QString& accelerator, const std::string& cp932StepName) {
    if (cp932StepName.empty()) {
        return verb + accelerator;
    }
    QString name = FromCp932(cp932StepName);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return verb + QStringLiteral("「") + name + QStringLiteral("」") + accelerator;
}

void Refresh(CommandSet& commands, const UndoHistory& history) {
    commands.setEnabled(Cmd::EditUndo, history.CanUndo());
    commands.setEnabled(Cmd::EditRedo, history.CanRedo());
    commands.setCaption(Cmd::EditUndo, Caption(QStringLiteral("元に戻す"), QStringLiteral("(&U)"), history.UndoName()));
    commands.setCaption(Cmd::EditRedo, Caption(QStringLiteral("やり直し"), QStringLiteral("(&R)"), history.RedoName()));
}

} // namespace

void InstallUndoCommands(MainWindow& main) {
    CommandSet& commands = main.commands();
    UndoHistory& history = main.store().history;
    commands.connect(Cmd::EditUndo, [&commands, &history] {
        history.Undo();
        Refresh(commands, history);
    });
    commands.connect(Cmd::EditRedo, [&commands, &history] {
        history.Redo();
        Refresh(commands, history);
    });
    commands.action(Cmd::EditRedo)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    auto* owner = new QObject(&commands);
    ToolRegistration tool;
    tool.idle = [&commands, &history] { Refresh(commands, history); };
    main.tools().add(owner, std::move(tool));
}

} // namespace vemo
