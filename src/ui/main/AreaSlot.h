#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QLabel;

namespace vemo {

// One area of the main window (data tree, coordinate list, plot, parcel editor, selection panel): a
// container that the area's own widget is put into.  Until then it shows a placeholder with the
// area's name.
class AreaSlot : public QWidget {
    Q_OBJECT
public:
    AreaSlot(const QString& name, QWidget* parent = nullptr);

    // Puts the area's widget in (owned by the slot from then on), replacing the placeholder or an
    // earlier widget.
    void setContent(QWidget* content);
    QWidget* content() const { return content_; }
    const QString& name() const { return name_; }

    // Gives the keyboard focus to the area's widget (its focus proxy when it has one).
    void focusContent();

    // The width the area's widget needs to show its content whole (0 when it does not say).
    void setWidthNeed(std::function<int()> need) { widthNeed_ = std::move(need); }
    int widthNeed() const { return widthNeed_ ? widthNeed_() : 0; }

private:
    QString name_;
    QWidget* content_ = nullptr;
    QLabel* placeholder_ = nullptr;
    std::function<int()> widthNeed_;
};

} // namespace vemo
