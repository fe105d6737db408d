#pragma once

#include "core/serial/ZubReceiver.h"
#include "core/serial/ZubSender.h"

#include <memory>
#include <string>
#include <vector>

namespace vemo {

class XyzList;

// The three transfers of the serial dialog, ready for a driver.

// "Export Xyz by ZUB": the lines of a send list (see BuildCoordinateSendList).
std::unique_ptr<ZubSender> MakeCoordinateSender(const ZubSendList& list, ZubSendTiming timing = {});
// "送信完了！" or "送信失敗！" (CP932), followed on new lines by the names left out, if any.
std::string SendResultMessage(ZubLinkState state, const ZubSendList& list);

// "Import Xyz by ZUB": received points go straight into `list` (see ReceivedPointRows); the list must
// outlive the receiver.
std::unique_ptr<ZubReceiver> MakeCoordinateReceiver(XyzList& list);

// "Import Trvs by ZUB".  After the receive: when it ended with the end record, the lines replace
// "Temp.ZUB" in the program folder and true is returned (ReceivedComplete); a cancelled receive
// writes nothing.
std::unique_ptr<ZubReceiver> MakeObservationReceiver();
bool SaveReceivedObservations(const ZubReceiver& receiver, const std::string& exeDir);

} // namespace vemo
