// A folder kept in view in a folder list while the list's model reads the
// folders in the background, until the user takes the list over.
#pragma once

#include <QObject>
#include <QString>

class QFileSystemModel;
class QTreeView;

namespace tovek::ui {

class FolderReveal : public QObject {
 public:
  // Watches `tree`, which shows `model`; lives as long as the tree.
  FolderReveal(QTreeView* tree, QFileSystemModel* model);

  // Makes `folder` the list's current row and brings it into view, again
  // whenever the model's rows change, until the user chooses another row or
  // scrolls. An empty folder, or one the list cannot show, stops revealing.
  void Start(const QString& folder);
  void Stop() { folder_.clear(); }

 private:
  // Once per turn of the event loop however many changes came in it: a
  // large folder arrives in many pieces.
  void Schedule();
  void Reveal();

  QTreeView* tree_;
  QFileSystemModel* model_;
  QString folder_;
  bool scheduled_ = false;
};

}  // namespace tovek::ui
