#include "ui/traverse/TrvsHeaderPanel.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesTrvsWindow.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsEntry.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsOptions.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/SystemBeep.h"
#include "ui/traverse/TrvsInputRules.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace vemo {
namespace {

using Member = std::string TrvsHeader::*;
constexpr std::array<Member, TrvsHeaderPanel::kFieldCount> kMembers = {
    &TrvsHeader::date, &TrvsHeader::remark, &TrvsHeader::T0No,    &TrvsHeader::T0X,    &TrvsHeader::T0Y,
    &TrvsHeader::T0Z,  &TrvsHeader::T1No,   &TrvsHeader::T1Angle, &TrvsHeader::T2No,   &TrvsHeader::T2X,
    &TrvsHeader::T2Y,  &TrvsHeader::T2Z,    &TrvsHeader::T3No,    &TrvsHeader::T3Angle};

TrvsTypingValidator::Kind KindOf(TrvsHeaderPanel::Field field) {
    using F = TrvsHeaderPanel;
    switch (field) {
    case F::T0X:
    case F::T0Y:
    case F::T0Z:
    case F::T2X:
    case F::T2Y:
    case F::T2Z:
        return TrvsTypingValidator::Kind::Signed;
    case F::T1Angle:
    case F::T3Angle:
        return TrvsTypingValidator::Kind::Unsigned;
    default:
        return TrvsTypingValidator::Kind::Name;
    }
}

QLabel* Caption(const char* utf8, QWidget* parent) {
    return new QLabel(QString::fromUtf8(utf8), parent);
}

} // namespace

TrvsHeaderPanel::TrvsHeaderPanel(TrvsHeader& header, QWidget* parent) : QWidget(parent), header_(header) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* typeBox = new QWidget(this);
    auto* typeLayout = new QHBoxLayout(typeBox);
    typeLayout->setContentsMargins(0, 0, 0, 0);
    typeLayout->addWidget(Caption("トラバースの型", typeBox));
    types_ = new QButtonGroup(this);
    const char* names[] = {"閉合", "結合", "開放", "放射"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(names[i]), typeBox);
        types_->addButton(button, i);
        typeLayout->addWidget(button);
    }
    typeLayout->addStretch();
    layout->addWidget(typeBox, 0, 0, 1, 2);
    layout->addWidget(Caption("年月日", this), 1, 0);
    auto* dateRemark = new QWidget(this);
    auto* dateLayout = new QHBoxLayout(dateRemark);
    dateLayout->setContentsMargins(0, 0, 0, 0);
    dateLayout->addWidget(MakeField(Date, 80));
    dateLayout->addWidget(Caption("備　考", dateRemark));
    dateLayout->addWidget(MakeField(Remark, 240));
    dateLayout->addStretch();
    layout->addWidget(dateRemark, 1, 1);
    layout->addWidget(BuildStartRow(), 2, 0, 1, 2);
    endRow_ = BuildEndRow();
    layout->addWidget(endRow_, 3, 0, 1, 2);
    connect(types_, &QButtonGroup::idClicked, this, [this](int id) {
        header_.TrvsType = id;
        ApplyTypeVisibility();
        emit typeChanged(id);
    });
    Push();
}

QLineEdit* TrvsHeaderPanel::MakeField(Field field, int width) {
    auto* edit = new QLineEdit(this);
    edit->setFixedWidth(width);
    edit->installEventFilter(this);
    if (KindOf(field) != TrvsTypingValidator::Kind::Name) {
        edit->setAlignment(Qt::AlignRight);
    }
    fields_[field] = edit;
    return edit;
}

QWidget* TrvsHeaderPanel::BuildStartRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Caption("器械点", row));
    layout->addWidget(MakeField(T0No, 70));
    layout->addWidget(Caption("X", row));
    layout->addWidget(MakeField(T0X, 95));
    layout->addWidget(Caption("Y", row));
    layout->addWidget(MakeField(T0Y, 95));
    zWidgets_[0] = Caption("Z", row);
    layout->addWidget(zWidgets_[0]);
    layout->addWidget(zWidgets_[1] = MakeField(T0Z, 75));
    layout->addWidget(Caption("後視点", row));
    layout->addWidget(MakeField(T1No, 70));
    startLabel_ = new QLabel(row);
    startLabel_->installEventFilter(this);
    // The help explains the two senses in these very words.
    startLabel_->setToolTip(
        QString::fromUtf8("入射方向角は後視点から器械点へ向かう方向角，出射方向角は器械点から後視点へ"
                          "向かう方向角です（ダブルクリックで切り換えます）"));
    layout->addWidget(startLabel_);
    layout->addWidget(MakeField(T1Angle, 90));
    layout->addStretch();
    return row;
}

QWidget* TrvsHeaderPanel::BuildEndRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Caption("終　点", row));
    layout->addWidget(MakeField(T2No, 70));
    layout->addWidget(Caption("X", row));
    layout->addWidget(MakeField(T2X, 95));
    layout->addWidget(Caption("Y", row));
    layout->addWidget(MakeField(T2Y, 95));
    zWidgets_[2] = Caption("Z", row);
    layout->addWidget(zWidgets_[2]);
    layout->addWidget(zWidgets_[3] = MakeField(T2Z, 75));
    QLabel* sight = Caption("視準点", row);
    layout->addWidget(sight);
    layout->addWidget(MakeField(T3No, 70));
    // Where the closing angle goes is not on this row: said where the surveyor looks for it.
    const QString closingAngle =
        QString::fromUtf8("終点で視準点を視準した角（閉合角）は，表の最後の T 行に入れます：測点に視準点の点名，"
                          "水平角に終点の手前の点から右回りに視準点までの角，斜距離は空欄");
    for (QWidget* widget : {static_cast<QWidget*>(sight), static_cast<QWidget*>(fields_[T3No])}) {
        widget->setToolTip(closingAngle);
        widget->setStatusTip(closingAngle);
    }
    endLabel_ = new QLabel(row);
    endLabel_->installEventFilter(this);
    endLabel_->setToolTip(QString::fromUtf8("終点入射方向角は視準点から終点へ向かう方向角，終点出射方向角は終点から"
                                            "視準点へ向かう方向角です（ダブルクリックで切り換えます）"));
    layout->addWidget(endLabel_);
    layout->addWidget(MakeField(T3Angle, 90));
    layout->addStretch();
    return row;
}

void TrvsHeaderPanel::SetContext(const TrvsKnownPoints* known, bool upperCase) {
    known_ = known;
    upperCase_ = upperCase;
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        fields_[f]->setValidator(
            new TrvsTypingValidator(KindOf(field), upperCase && field != Remark && field != Date, fields_[f]));
    }
}

void TrvsHeaderPanel::Push() {
    pushing_ = true;
    for (int f = 0; f < kFieldCount; ++f) {
        fields_[f]->setText(FromCp932(header_.*kMembers[f]));
    }
    if (QAbstractButton* button = types_->button(header_.TrvsType)) {
        button->setChecked(true);
    }
    startLabel_->setText(FromCp932(header_.StartLabel()));
    endLabel_->setText(FromCp932(header_.EndLabel()));
    ApplyTypeVisibility();
    pushing_ = false;
}

int TrvsHeaderPanel::Type() const {
    return header_.TrvsType;
}

void TrvsHeaderPanel::ApplyTypeVisibility() {
    endRow_->setVisible(header_.TrvsType == kTrvsConnected);
}

void TrvsHeaderPanel::SetZShown(bool on) {
    for (QWidget* widget : zWidgets_) {
        widget->setVisible(on);
    }
}

TrvsHeaderPanel::Field TrvsHeaderPanel::FocusedField() const {
    for (int f = 0; f < kFieldCount; ++f) {
        if (fields_[f]->hasFocus()) {
            return static_cast<Field>(f);
        }
    }
    return kFieldCount;
}

void TrvsHeaderPanel::Pull(Field field) {
    header_.*kMembers[field] = ToCp932OrThrow(fields_[field]->text());
}

bool TrvsHeaderPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && (watched == startLabel_ || watched == endLabel_)) {
        watched == startLabel_ ? header_.ToggleStartLabel() : header_.ToggleEndLabel();
        Push();
        emit edited();
        return true;
    }
    if (event->type() == QEvent::FocusOut && !pushing_) {
        for (int f = 0; f < kFieldCount; ++f) {
            if (watched == fields_[f]) {
                Leave(static_cast<Field>(f));
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// A field's entry rule as the cursor leaves it.  A refused entry sends the focus back (after the
// focus change in progress has ended).
void TrvsHeaderPanel::Leave(Field field) {
    QLineEdit* back = nullptr;
    try {
        Pull(field);
        switch (field) {
        case T0X:
        case T0Y:
        case T2X:
        case T2Y:
            header_.*kMembers[field] = FormatCoordinateField(header_.*kMembers[field]);
            break;
        case T0Z:
        case T2Z:
            header_.*kMembers[field] = FormatHeightField(header_.*kMembers[field]);
            break;
        case T1Angle:
        case T3Angle:
            if (!FormatAngleField(header_.*kMembers[field])) {
                SystemBeep::Beep();
                back = fields_[field];
            }
            break;
        case T0No:
        case T1No:
        case T2No:
        case T3No:
            EnterName(field);
            break;
        default:
            break;
        }
    } catch (const Error& e) {
        MessageBox::ShowCp932(this, e.what(), MessageBox::Kind::Error);
        back = fields_[field];
    }
    Push();
    emit edited();
    if (back != nullptr) {
        QTimer::singleShot(0, back, [back] { back->setFocus(); });
    }
}

// A start or end point that is not in the coordinate list: said at once in the status bar, while the
// surveyor may still type its coordinates (the computations ask again if they stay 0.000).
void TrvsHeaderPanel::SayNotInList(Field field) {
    const std::string& name = field == T0No ? header_.T0No : header_.T2No;
    emit notice(FromCp932(msg::StationNotInList(field == T0No, name)));
}

void TrvsHeaderPanel::EnterName(Field field) {
    if (known_ == nullptr) {
        return;
    }
    TrvsNameEntry entry = TrvsNameEntry::Empty;
    switch (field) {
    case T0No:
        entry = EnterStartName(header_, *known_);
        break;
    case T1No:
        entry = EnterBacksightName(header_, *known_);
        break;
    case T2No:
        entry = EnterEndName(header_, *known_);
        break;
    default:
        entry = EnterEndSightName(header_, *known_);
        break;
    }
    if (entry == TrvsNameEntry::NotFound && (field == T0No || field == T2No)) {
        SayNotInList(field);
    }
    if (entry == TrvsNameEntry::Refused) {
        SystemBeep::Beep();
        QLineEdit* back = field == T3No ? fields_[T2Y] : fields_[field];
        QTimer::singleShot(0, back, [back] { back->setFocus(); });
    }
}

} // namespace vemo
