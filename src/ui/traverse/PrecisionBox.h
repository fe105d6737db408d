#pragma once

#include <QDialog>

#include <string>
#include <vector>

namespace vemo {

// The precision figures of a closed or connected traverse (SeidoBox): its caption and the eight lines
// of angle sum, misclosures, distance, closure and ratio, in a fixed-pitch font so that the figures
// line up, and one OK button.
class PrecisionBox : public QDialog {
    Q_OBJECT
public:
    // `lines`: the caption, then the eight lines (CP932), as the traverse engine words them.
    PrecisionBox(const std::vector<std::string>& lines, QWidget* parent = nullptr);
    // The eight lines as shown (for checking what the surveyor reads).
    QStringList Lines() const;

private:
    QStringList lines_;
};

} // namespace vemo
