#pragma once

#include "ui/traverse/TrvsWindowMode.h"

#include <QString>

#include <functional>
#include <string>

namespace vemo {

class Workspace;
class ZubEditorPanel;

// The ZUB Editor mode of the traverse window: the file commands of the field book shown in the panel
// (receive, reload, open, save, auto-save) and what the window asks of the mode it shows.
class ZubEditorController final : public TrvsWindowMode {
public:
    ZubEditorController(Workspace& workspace, ZubEditorPanel& panel, std::function<QString()> siteFolder);

    // Receiving a field book over the serial line into "Temp.ZUB"; true when it ended complete.
    void SetReceiver(std::function<bool(const std::string& exeDir)> receive);
    bool CanReceive() const { return static_cast<bool>(receive_); }
    // 野帳データ(ZUB)受信: a book received complete is shown.
    void Receive();
    // 受信時に戻す: the book last received, as it came.
    void Reload();
    void Open();
    // 上書き保存 (`askName` false) and 名前を付けて保存.
    void Save(bool askName);

    bool Modified() const override;
    std::string UnsavedQuestion() const override;
    void Save() override { Save(false); }
    void AutoSave(bool forced) override;
    void Clear() override;

private:
    Workspace& workspace_;
    ZubEditorPanel& panel_;
    std::function<QString()> siteFolder_;
    std::function<bool(const std::string&)> receive_;
};

} // namespace vemo
