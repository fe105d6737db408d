#pragma once

#include <QLabel>

namespace vemo {

class Store;

// What takes the plot's place while no plot is shown: with no data open, a short guide to the first
// steps (make a site folder, make or open coordinate data, read a SIMA or 日調連 file) instead of a
// blank area; with data open, nothing.
class StartHint : public QLabel {
    Q_OBJECT
public:
    explicit StartHint(const Store& store, QWidget* parent = nullptr);

    static QString GuideText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const Store& store_;
};

} // namespace vemo
