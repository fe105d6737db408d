#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace vemo {

// A double-click on a ".sim" or ".Xyz" file while the program runs starts a second copy, which may not
// run: it hands the file to the running copy instead, over a local socket beside the single-instance
// lock, and the running window opens it as a dropped file.
class FileHandOffServer : public QObject {
    Q_OBJECT
public:
    // Listens at `socketPath` (a stale socket of a killed copy is replaced).
    explicit FileHandOffServer(const QString& socketPath, QObject* parent = nullptr);
    bool isListening() const;

signals:
    void fileReceived(const QString& path);

private:
    void readClient();
    QLocalServer* server_ = nullptr;
};

// The second copy: true when the running copy took the file.
bool HandFileToRunningCopy(const QString& socketPath, const QString& file);

} // namespace vemo
