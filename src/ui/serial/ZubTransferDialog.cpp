#include "ui/serial/ZubTransferDialog.h"

#include "core/serial/SentPointsCheck.h"
#include "core/serial/ZubTransfers.h"
#include "core/text/Error.h"
#include "core/text/MessagesReading.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/serial/ZubPortDriver.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace vemo {

namespace {

const char* const kReady = "Ready? Cancel:[ESC]";

} // namespace

ZubTransferDialog::ZubTransferDialog(QWidget* parent) : QDialog(parent), driver_(new ZubPortDriver(this)) {
    setProperty("helpContext", 40); // F1: its page of the help book
    auto* settings = new QGridLayout;
    const char* const names[5] = {"Port", "ByteSize", "BaudRate", "Parity", "StopBits"};
    for (int i = 0; i < 5; ++i) {
        settings->addWidget(new QLabel(QString::fromLatin1(names[i])), i, 0);
        values_[i] = new QLabel;
        values_[i]->setAutoFillBackground(true);
        values_[i]->setFrameShape(QFrame::Panel);
        values_[i]->setFrameShadow(QFrame::Sunken);
        values_[i]->setMinimumWidth(120);
        settings->addWidget(values_[i], i, 1);
    }
    message_ = new QLabel;
    message_->setMinimumWidth(360);
    message_->setFrameShape(QFrame::Panel);
    message_->setFrameShadow(QFrame::Sunken);
    button_ = new QPushButton;
    button_->setDefault(true);
    cancelHint_ = new QLabel(QStringLiteral("Cancel:[Esc]"));
    cancelHint_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addWidget(message_);
    layout->addWidget(button_);
    layout->addWidget(cancelHint_);
    connect(button_, &QPushButton::clicked, this, &ZubTransferDialog::StartTransfer);
    connect(driver_, &ZubPortDriver::messageChanged, message_, &QLabel::setText);
    connect(driver_, &ZubPortDriver::finished, this, &ZubTransferDialog::OnFinished);
}

ZubTransferDialog::~ZubTransferDialog() = default;

void ZubTransferDialog::Prepare(Mode mode, const Settings::Rs232cKeys& keys) {
    mode_ = mode;
    keys_ = keys;
    static const char* const kCaptions[] = {"Export Xyz by ZUB", "Import Xyz by ZUB", "Import Trvs by ZUB",
                                            "Check Xyz by ZUB"};
    static const QColor kTints[] = {QColor(0, 255, 255), QColor(255, 255, 0), QColor(255, 255, 255),
                                    QColor(255, 255, 0)};
    setWindowTitle(QString::fromLatin1(kCaptions[static_cast<int>(mode)]));
    button_->setText(mode == Mode::ExportXyz ? QStringLiteral("送信") : QStringLiteral("受信"));
    const std::string* texts[5] = {&keys.Port, &keys.ByteSize, &keys.Speed, &keys.Parity, &keys.StopBits};
    for (int i = 0; i < 5; ++i) {
        values_[i]->setText(FromCp932(*texts[i]));
        QPalette palette = values_[i]->palette();
        palette.setColor(QPalette::Window, kTints[static_cast<int>(mode)]);
        values_[i]->setPalette(palette);
    }
    message_->setText(QString::fromLatin1(kReady));
    message_->setAlignment(Qt::AlignCenter);
    ShowButton(true);
    button_->setFocus();
}

void ZubTransferDialog::ShowButton(bool shown) {
    button_->setVisible(shown);
    cancelHint_->setVisible(!shown);
}

void ZubTransferDialog::ExecSend(const ZubSendList& list, const Settings::Rs232cKeys& keys) {
    Prepare(Mode::ExportXyz, keys);
    makeLink_ = [this, &list] { return MakeCoordinateSender(list, sendTiming_); };
    finish_ = [this, &list, keys] {
        const ZubLinkState state = driver_->Link()->State();
        MessageBox::ShowCp932(this, SendResultMessage(state, list));
        // Every line acknowledged is no proof: noise can change a figure past the check character.
        if (state == ZubLinkState::Succeeded &&
            MessageBox::Ask(this, FromCp932(msg::AskCheckSentPoints()), QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::No) == QMessageBox::Yes) {
            PrepareCheckSent(list, keys);
            stayOpen_ = true;
        }
    };
    exec();
}

void ZubTransferDialog::ExecCheckSent(const ZubSendList& list, const Settings::Rs232cKeys& keys) {
    PrepareCheckSent(list, keys);
    exec();
}

void ZubTransferDialog::PrepareCheckSent(const ZubSendList& list, const Settings::Rs232cKeys& keys) {
    Prepare(Mode::CheckSent, keys);
    auto back = std::make_shared<std::vector<ReceivedPoint>>();
    makeLink_ = [back] {
        back->clear();
        return std::make_unique<ZubReceiver>(ZubReceiveKind::Coordinates,
                                             [back](const ReceivedPoint& point) { back->push_back(point); });
    };
    finish_ = [this, &list, back] {
        if (driver_->Link()->State() == ZubLinkState::Succeeded) {
            MessageBox::ShowCp932(this, SentPointsCheckReport(list, *back));
        }
    };
}

void ZubTransferDialog::ExecReceiveCoordinates(XyzList& list, const Settings::Rs232cKeys& keys) {
    Prepare(Mode::ImportXyz, keys);
    makeLink_ = [&list] { return MakeCoordinateReceiver(list); };
    finish_ = [this] {
        if (driver_->Link()->State() == ZubLinkState::Succeeded) {
            MessageBox::ShowCp932(this, ReceiveReport(static_cast<const ZubReceiver&>(*driver_->Link())));
        }
    };
    exec();
}

bool ZubTransferDialog::ExecReceiveObservations(const std::string& exeDir, const Settings::Rs232cKeys& keys) {
    Prepare(Mode::ImportTrvs, keys);
    bool complete = false;
    makeLink_ = [] { return MakeObservationReceiver(); };
    finish_ = [this, &exeDir, &complete] {
        if (driver_->Link()->State() == ZubLinkState::Succeeded) {
            MessageBox::ShowCp932(this, ReceiveReport(static_cast<const ZubReceiver&>(*driver_->Link())));
        }
        try {
            complete = SaveReceivedObservations(static_cast<const ZubReceiver&>(*driver_->Link()), exeDir);
        } catch (const Error& e) {
            MessageBox::ShowCp932(this, e.what());
        }
    };
    exec();
    return complete;
}

void ZubTransferDialog::StartTransfer() {
    ShowButton(false);
    message_->clear();
    message_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const ZubPortDriver::PortProblem problem = driver_->Start(makeLink_(), LineSettingsFrom(keys_));
    if (problem != ZubPortDriver::PortProblem::None) {
        // The button comes back, so that the surveyor can plug the cable or change the settings and
        // try again without reopening the window.
        MessageBox::Show(this, problem == ZubPortDriver::PortProblem::CannotOpen ? driver_->OpenFailure()
                                                                                 : ZubPortDriver::ProblemText(problem));
        ShowButton(true);
        button_->setFocus();
    }
}

void ZubTransferDialog::OnFinished() {
    stayOpen_ = false;
    const std::function<void()> finish = finish_; // it may prepare the next transfer in its place
    finish();
    if (!driver_->LinkError().isEmpty()) {
        MessageBox::Show(this, driver_->LinkError());
    }
    if (!stayOpen_) {
        accept();
    }
}

void ZubTransferDialog::reject() {
    if (driver_->IsRunning()) {
        driver_->Cancel(); // ends the transfer; OnFinished closes the window
        return;
    }
    QDialog::reject();
}

} // namespace vemo
