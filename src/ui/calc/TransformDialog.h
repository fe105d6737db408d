#pragma once

#include "core/transform/Transformation.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vemo {

class Store;

// 変換座標登録: the report of the fit (parameters, and for the Helmert fit σ and the largest residual)
// and the way the transformed selection goes into the list: over the old coordinates, appended under
// the old name with a prefix and suffix, or appended under new names counted up from a first one.
class TransformDialog : public QDialog {
    Q_OBJECT
public:
    TransformDialog(Store& store, const TransformRun& run, std::vector<std::string> selection,
                    QWidget* parent = nullptr);

    QPlainTextEdit* memo() const { return memo_; }
    QRadioButton* how(int method) const { return how_[method]; }
    QLineEdit* prefix() const { return prefix_; }
    QLineEdit* suffix() const { return suffix_; }
    QLineEdit* firstNewName() const { return newName_; }
    QPushButton* registerButton() const { return register_; }

    // Closing either way empties the memo and the new-name field.
    void done(int result) override;

private:
    QWidget* buildMethods();
    void registerAll();

    Store& store_;
    Transformation fit_;
    std::vector<std::string> selection_;
    QPlainTextEdit* memo_ = nullptr;
    std::array<QRadioButton*, 3> how_{};
    QLineEdit* prefix_ = nullptr;
    QLineEdit* suffix_ = nullptr;
    QLineEdit* newName_ = nullptr;
    QPushButton* register_ = nullptr;
};

} // namespace vemo
