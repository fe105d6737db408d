#pragma once

#include <QString>

namespace vemo {

// The two kinds of file this program can be made the opener of: SIMA exchange files (".sim") and
// its own coordinate files (".xyz"), in any case of letters.
enum class LinkedFileType { Sima, Xyz };

// Which of them are associated with this program.
struct AssociatedTypes {
    bool sima = false;
    bool xyz = false;
};

// Makes this program (`programPath`) the opener of `changed` for the current user, or withdraws it,
// through the freedesktop mechanisms: a MIME type definition installed with xdg-mime, a desktop
// entry "vemo.desktop" that lists the associated types, and the user's default application.
// `wanted` is the state after the change.  Returns an empty text on success, otherwise what went
// wrong in words (Japanese), with nothing to be recorded as associated.
QString UpdateFileAssociation(LinkedFileType changed, AssociatedTypes wanted, const QString& programPath);

// The MIME type names used for the two kinds.
QString MimeTypeOf(LinkedFileType type);

} // namespace vemo
