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
// through the freedesktop mechanisms: the user's default application (xdg-mime default) names the
// installed package's entry "vemo.desktop", which declares both types.  Without a package (a program
// built from source) the user gets the type definitions and an entry of the program's own,
// "vemo-local.desktop", listing the associated types; it is removed when none is associated.
// `wanted` is the state after the change.  Returns an empty text on success, otherwise what went
// wrong in words (Japanese), with nothing to be recorded as associated.
QString UpdateFileAssociation(LinkedFileType changed, AssociatedTypes wanted, const QString& programPath);

// The MIME type names used for the two kinds.
QString MimeTypeOf(LinkedFileType type);

} // namespace vemo
