#pragma once

#include "core/files/FileFormat.h"

#include <QString>

#include <vector>

namespace vemo {

// The kinds of file this program can be made the opener of are the formats with a desktop type
// (FileFormat::mimeType): SIMA exchange files (".sim") and its own coordinate files (".xyz").

// Makes this program (`programPath`) the opener of `changed` for the current user, or withdraws it,
// through the freedesktop mechanisms: the user's default application (xdg-mime default) names the
// installed package's entry "vemo.desktop", which declares the types.  Without a package (a program
// built from source) the user gets the type definitions and an entry of the program's own,
// "vemo-local.desktop", listing the associated types; it is removed when none is associated.
// `wanted` lists the kinds associated after the change, in the order the entry names them.  Returns an empty text on
// success, otherwise what went wrong in words (Japanese), with nothing to be recorded as associated.
QString UpdateFileAssociation(FileKind changed, const std::vector<FileKind>& wanted, const QString& programPath);

// The MIME type name of a kind (empty for one that cannot be associated).
QString MimeTypeOf(FileKind kind);

} // namespace vemo
