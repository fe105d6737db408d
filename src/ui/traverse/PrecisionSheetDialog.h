#pragma once

#include "core/traverse/SurveyClassFile.h"

#include "ui/common/FieldDialog.h"

#include <array>

class QLineEdit;

namespace vemo {

// "精度管理表の見出し": the heading fields of the traverse's 精度管理表 as the public model form has
// them (作業名, 地区名, 計画機関, 作業機関, 作業期間, 主任技術者, 使用機器), each caption beside its field.
// Enter moves on to the next field, as in the other dialogs; on a button it presses it.
class PrecisionSheetDialog : public FieldDialog {
    Q_OBJECT
public:
    static constexpr int kFieldCount = 7;

    explicit PrecisionSheetDialog(const PrecisionSheetInfo& info, QWidget* parent = nullptr);

    // The fields as typed, CP932; a character without CP932 form throws vemo::Error.
    PrecisionSheetInfo info() const;
    // The fields in the order of the form.
    QLineEdit* field(int index) const { return fields_[static_cast<size_t>(index)]; }

    // OK: a field holding a character without CP932 form is named and the dialog stays open, so
    // that nothing typed is lost.
    void accept() override;

private:
    std::array<QLineEdit*, kFieldCount> fields_{};
};

} // namespace vemo
