#include "core/serial/ZubTransfers.h"

#include "core/serial/ReceivedPointRows.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesZub.h"
#include "core/zub/ZubFile.h"

namespace vemo {

std::unique_ptr<ZubSender> MakeCoordinateSender(const ZubSendList& list, ZubSendTiming timing) {
    return std::make_unique<ZubSender>(list.lines, timing);
}

std::string SendResultMessage(ZubLinkState state, const ZubSendList& list) {
    std::string message = msg::ZubSent(state == ZubLinkState::Succeeded);
    const std::string skipped = SkippedPointsMessage(list);
    return skipped.empty() ? message : message + "\n" + skipped;
}

std::unique_ptr<ZubReceiver> MakeCoordinateReceiver(XyzList& list) {
    auto rows = std::make_shared<ReceivedPointRows>(list);
    return std::make_unique<ZubReceiver>(ZubReceiveKind::Coordinates,
                                         [rows](const ReceivedPoint& point) { rows->Add(point); });
}

std::unique_ptr<ZubReceiver> MakeObservationReceiver() {
    return std::make_unique<ZubReceiver>(ZubReceiveKind::Observations);
}

bool SaveReceivedObservations(const ZubReceiver& receiver, const std::string& exeDir) {
    if (receiver.State() != ZubLinkState::Succeeded) {
        return false;
    }
    WriteReceivedZub(TempZubPath(exeDir), receiver.Lines());
    return true;
}

} // namespace vemo
