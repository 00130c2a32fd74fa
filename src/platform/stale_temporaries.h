#pragma once
// A write through writeFileAtomically that the program does not live to
// finish (killed between naming its temporary file and renaming it into
// place) leaves that file beside the one it was for: "<name>.XXXXXX", six
// letters made up when it was opened. Nothing else ever removes it.
#include <QDateTime>
#include <QString>

#include <functional>

// Whether `fileName` is the temporary of a write to a file whose name
// `isOwnName` accepts: that name, ".", then exactly six ASCII letters.
bool isTemporaryOf(const QString& fileName, const std::function<bool(const QString& name)>& isOwnName);

// Removes from `folder` (not from folders inside it) the plain files that are
// temporaries of names `isOwnName` accepts and were last modified before
// `staleBefore`; a newer one may belong to a write still going on in another
// copy of the program. Returns how many were removed.
int removeStaleTemporaries(const QString& folder, const std::function<bool(const QString& name)>& isOwnName,
                           const QDateTime& staleBefore);
