#pragma once

#include "core/files/LinkFileState.h"
#include "ui/tree/BackgroundWriteStatus.h"

#include <string>

class QWidget;

namespace vemo {

class FileCommandHost;
class Workspace;

// The link files other programs read while this one is in the background: the coordinate list (or the
// selection) as "Xyz.txt", read back when the surveyor returns, and the parcels as "Vemo_Blk.Txt".
class LinkFileCommands {
public:
    // All references must outlive the commands; `window` parents the messages.
    LinkFileCommands(Workspace& workspace, FileCommandHost& host, QWidget* window);

    void applicationActivated();   // reads "Xyz.txt" back when another program changed it
    void applicationDeactivated(); // writes the link files

private:
    void reloadLinkedList(const std::string& bytes);

    Workspace& workspace_;
    FileCommandHost& host_;
    QWidget* window_;
    // What went to "Xyz.txt" when the application was last left.
    LinkFileState link_;
    BackgroundWriteStatus writeStatus_;
};

} // namespace vemo
