#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

namespace vemo {

// The three panels of the main window's status bar: "Caps" while Caps Lock is on, "Num" while Num Lock
// is on, and the long part of the current hint (or a message such as "【データ保存完了】").
class StatusPanels : public QObject {
    Q_OBJECT
public:
    explicit StatusPanels(QStatusBar* bar);

    void setLocks(bool capsLock, bool numLock);
    void setText(const QString& text);
    // The panel that says whether data are unsaved.
    void setUnsaved(bool unsaved);
    QString unsavedText() const;

    QString capsText() const;
    QString numText() const;
    QString text() const;

private:
    QLabel* caps_;
    QLabel* num_;
    QLabel* text_;
    QLabel* unsaved_;
};

} // namespace vemo
