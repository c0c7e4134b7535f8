#include "common/ui/folder_paths.h"

#include <QDir>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tovek::ui {
namespace {

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString Describe(const std::error_code& error) {
  return QString::fromLocal8Bit(error.message().c_str());
}

}  // namespace

FileOutcome CheckFolderListable(const QString& folder) {
  std::error_code error;
  std::filesystem::directory_iterator listing(ToPath(folder), error);
  if (error) return FileOutcome::Failure(Describe(error));
  return FileOutcome::Success();
}

QStringList MatchingFileNames(const QString& folder, const QStringList& name_filters) {
  QStringList names = QDir(folder).entryList(name_filters, QDir::Files, QDir::NoSort);
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int by_letters = a.compare(b, Qt::CaseInsensitive);
    return by_letters != 0 ? by_letters < 0 : a < b;
  });
  return names;
}

QString JoinFolderPath(const QString& folder, const QString& name) {
  QString path = QDir::fromNativeSeparators(folder);
  if (!path.endsWith(u'/')) path += u'/';
  return QDir::toNativeSeparators(path + name);
}

FileOutcome CreateSubfolders(const QString& folder, const QStringList& names) {
  // An empty folder would put the subfolders wherever the program was started.
  if (folder.isEmpty()) {
    return FileOutcome::Failure(
        Describe(std::make_error_code(std::errc::no_such_file_or_directory)));
  }
  for (const QString& name : names) {
    const std::filesystem::path path = ToPath(folder) / ToPath(name);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) continue;
    std::filesystem::create_directory(path, error);
    if (!error && !std::filesystem::is_directory(path, error)) {
      error = std::make_error_code(std::errc::file_exists);
    }
    if (error) return FileOutcome::Failure(Describe(error));
  }
  return FileOutcome::Success();
}

QString StartFolder(const QString& stored, const QString& program_folder) {
  if (!stored.trimmed().isEmpty() && CheckFolderListable(stored.trimmed()).ok) {
    return stored.trimmed();
  }
  return program_folder;
}

}  // namespace tovek::ui
