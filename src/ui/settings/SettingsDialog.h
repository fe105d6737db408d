#pragma once

#include "core/settings/Settings.h"

#include <QDialog>

#include <array>

class QPushButton;
class QTabWidget;

namespace vemo {

class DataPage;
class LookPage;
class OtherPage;
class ProgramsPage;
class SettingsPage;
class TraversePage;
class Workspace;

// "環境設定": five pages over almost every value of "VEMO.ini".  Created once at start-up, it keeps
// its fields between showings: ｷｬﾝｾﾙ (or Escape) closes without writing and the changed fields stay
// for the next showing.  OK writes the fields to the file and only then takes them into the
// workspace's settings and announces the change; each window then applies its own part.  The two association boxes act
// at once, independently of OK.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Help topics of the pages, in page order.
    static constexpr std::array<int, 5> kPageHelpContexts = {11, 12, 13, 14, 15};

    explicit SettingsDialog(Workspace& workspace, QWidget* parent = nullptr);

    QTabWidget* pages() const { return pages_; }
    QPushButton* okButton() const { return ok_; }
    LookPage& lookPage() const { return *look_; }
    OtherPage& otherPage() const { return *other_; }

    // The values the fields hold now (throws vemo::Error for text that has no CP932 form).
    Settings fieldValues() const;

    // OK: write, apply, announce.  The dialog stays open, and the workspace's settings as they were,
    // when the file cannot be written.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fill(const Settings& values);
    bool writeAndApply();
    void associate(int type, bool on);

    Workspace& workspace_;
    QTabWidget* pages_ = nullptr;
    QPushButton* ok_ = nullptr;
    std::array<SettingsPage*, 5> all_{};
    DataPage* data_ = nullptr;
    LookPage* look_ = nullptr;
    OtherPage* other_ = nullptr;
};

} // namespace vemo
