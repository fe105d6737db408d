#pragma once

#include <QDialog>

namespace vemo {

// "ﾊﾞｰｼﾞｮﾝ情報(&A)...": the program's name and version.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    static QString ProductName() { return QStringLiteral("Vemo Point Desk"); }
    // The trailing blank belongs to the version text as the program has always shown it.
    static QString VersionText() { return QStringLiteral("Ver.0.75 "); }
};

} // namespace vemo
