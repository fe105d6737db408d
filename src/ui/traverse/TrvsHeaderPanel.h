#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace vemo {

struct TrvsHeader;
class TrvsKnownPoints;

// The fields above the traverse table: type, date, remark, the start point with its backsight and
// known direction, the end point of a connected traverse with its sighting point.  Each field's entry
// rule runs as the field loses the focus (a known name brings its coordinates, an angle is checked),
// and the header object is kept equal to what the fields show.
class TrvsHeaderPanel : public QWidget {
    Q_OBJECT
public:
    enum Field { Date, Remark, T0No, T0X, T0Y, T0Z, T1No, T1Angle, T2No, T2X, T2Y, T2Z, T3No, T3Angle, kFieldCount };

    TrvsHeaderPanel(TrvsHeader& header, QWidget* parent = nullptr);
    void SetContext(const TrvsKnownPoints* known, bool upperCase);

    // The fields show the header again (after a reset, a load, a pick).
    void Push();
    QLineEdit* FieldWidget(Field field) const { return fields_[field]; }
    // The field that has the focus, or kFieldCount.
    Field FocusedField() const;
    void SetZShown(bool on);
    int Type() const;

signals:
    // The radio group "トラバースの型" changed.
    void typeChanged(int trvsType);
    // A field was left (its entry rule applied) or a direction label toggled.
    void edited();
    // A remark for the status bar about what was entered.
    void notice(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Pull(Field field);
    void SayNotInList(Field field);
    void Leave(Field field);
    void EnterName(Field field);
    void ApplyTypeVisibility();
    QWidget* BuildStartRow();
    QWidget* BuildEndRow();
    QLineEdit* MakeField(Field field, int width);

    TrvsHeader& header_;
    const TrvsKnownPoints* known_ = nullptr;
    bool upperCase_ = true;
    bool pushing_ = false;
    std::array<QLineEdit*, kFieldCount> fields_{};
    QButtonGroup* types_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QWidget* endRow_ = nullptr;
    std::array<QWidget*, 4> zWidgets_{};
};

} // namespace vemo
