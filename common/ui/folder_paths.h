// Folder and file name work behind the log-open and folder dialogs, kept
// apart from the windows so that tests reach it directly.
#pragma once

#include <QString>
#include <QStringList>

#include "common/text_file.h"

namespace tovek::ui {

// The editor's output folders inside its data folder.
inline const QStringList kDataSubfolders{QStringLiteral("EditLog"), QStringLiteral("OldLog"),
                                         QStringLiteral("ErrRpt")};

// Whether the folder can be listed; otherwise the platform's description of
// why not. An empty name cannot be listed.
FileOutcome CheckFolderListable(const QString& folder);

// Names of the folder's files that match one of the patterns ("*.cbr"),
// without regard to case, sorted by name without regard to case (names that
// differ only in case keep a fixed order). Hidden files are left out.
QStringList MatchingFileNames(const QString& folder, const QStringList& name_filters);

// The folder, one separator and the name; a folder that already ends with a
// separator (a drive's root) gets no second one. Native separators.
QString JoinFolderPath(const QString& folder, const QString& name);

// Creates each named subfolder of `folder` that does not exist yet. Stops at
// the first one that cannot be made (the folder itself missing, a file of
// that name in the way, no permission) with the platform's description.
FileOutcome CreateSubfolders(const QString& folder, const QStringList& names);

// Where a folder list starts: the stored folder when it can be listed,
// otherwise the program folder.
QString StartFolder(const QString& stored, const QString& program_folder);

}  // namespace tovek::ui
