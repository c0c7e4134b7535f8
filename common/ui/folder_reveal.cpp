#include "common/ui/folder_reveal.h"

#include <QFileSystemModel>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

namespace tovek::ui {

FolderReveal::FolderReveal(QTreeView* tree, QFileSystemModel* model)
    : QObject(tree), tree_(tree), model_(model) {
  connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid() && model_->filePath(current) != folder_)
              Stop();  // the user's turn
          });
  // Scrolling is the user's turn too: the list stays where the user put it.
  connect(tree->verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { Stop(); });
  // The folder's row exists once its parents are read, and it moves when
  // the rows above it arrive or are sorted.
  connect(model, &QFileSystemModel::directoryLoaded, this, &FolderReveal::Schedule);
  connect(model, &QAbstractItemModel::rowsInserted, this, &FolderReveal::Schedule);
  connect(model, &QAbstractItemModel::layoutChanged, this, &FolderReveal::Schedule);
}

void FolderReveal::Start(const QString& folder) {
  const QModelIndex current = folder.isEmpty() ? QModelIndex() : model_->index(folder);
  if (!current.isValid() || current == tree_->rootIndex()) {
    Stop();
    tree_->selectionModel()->clearCurrentIndex();
    return;
  }
  folder_ = model_->filePath(current);
  tree_->setCurrentIndex(current);
  Reveal();
}

void FolderReveal::Schedule() {
  if (folder_.isEmpty() || scheduled_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    scheduled_ = false;
    if (!folder_.isEmpty()) Reveal();
  });
}

void FolderReveal::Reveal() {
  const QModelIndex target = model_->index(folder_);
  for (QModelIndex parent = target.parent(); parent.isValid() && parent != tree_->rootIndex();
       parent = parent.parent()) {
    tree_->expand(parent);
  }
  tree_->scrollTo(target, QAbstractItemView::PositionAtCenter);
}

}  // namespace tovek::ui
