#pragma once

#include "core/serial/ZubLine.h"
#include "core/serial/ZubSender.h"
#include "core/settings/Settings.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QPushButton;

namespace vemo {

class XyzList;
class ZubLink;
class ZubPortDriver;

// The serial transfer window (RS232CForm): one of three transfers, started with the button (Enter),
// cancelled with Esc at any moment.  The five line settings of [RS-232C] are shown read-only and
// tinted by the transfer: aqua for sending coordinates, yellow for receiving them, white for
// receiving observations.  The window stays responsive while the transfer runs, and closes when it
// has ended.
class ZubTransferDialog : public QDialog {
    Q_OBJECT
public:
    explicit ZubTransferDialog(QWidget* parent = nullptr);
    ~ZubTransferDialog() override;

    // "Export Xyz by ZUB": sends the points of a selection; "送信完了！" or "送信失敗！" at the end, with
    // the names that were left out.  After a complete send the surveyor is offered 送信内容の照合
    // (below) in the same window.
    void ExecSend(const ZubSendList& list, const Settings::Rs232cKeys& keys);
    // 送信内容の照合: receives the instrument's job (a coordinate output) without touching the list and
    // shows how it differs from the points of `list`, point by point.
    void ExecCheckSent(const ZubSendList& list, const Settings::Rs232cKeys& keys);
    // "Import Xyz by ZUB": received points go into `list` as they come; "受信完了" at the end record.
    void ExecReceiveCoordinates(XyzList& list, const Settings::Rs232cKeys& keys);
    // "Import Trvs by ZUB": the records go to "Temp.ZUB" in `exeDir` once the end record came.
    // Returns ReceivedComplete: true when the file was written.
    bool ExecReceiveObservations(const std::string& exeDir, const Settings::Rs232cKeys& keys);

    // How long the send waits for an answer (tests shorten it).
    void SetSendTiming(ZubSendTiming timing) { sendTiming_ = timing; }

protected:
    void reject() override;

private:
    enum class Mode { ExportXyz, ImportXyz, ImportTrvs, CheckSent };

    void Prepare(Mode mode, const Settings::Rs232cKeys& keys);
    void PrepareCheckSent(const ZubSendList& list, const Settings::Rs232cKeys& keys);
    void StartTransfer();
    void OnFinished();
    void ShowButton(bool shown);

    Mode mode_ = Mode::ExportXyz;
    Settings::Rs232cKeys keys_;
    ZubSendTiming sendTiming_;
    // Builds the link of the current transfer, and reports its end.
    std::function<std::unique_ptr<ZubLink>()> makeLink_;
    std::function<void()> finish_;
    bool stayOpen_ = false; // the transfer that ended leads on to another in the same window
    QLabel* values_[5] = {};
    QLabel* message_ = nullptr;
    QLabel* cancelHint_ = nullptr;
    QPushButton* button_ = nullptr;
    ZubPortDriver* driver_ = nullptr;
};

} // namespace vemo
