#include "editor/ui/dialogs/typing.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tovek::ui {
namespace {

class UpperCaseFilter final : public QObject {
 public:
  explicit UpperCaseFilter(QLineEdit* box) : QObject(box), box_(box) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    return watched == box_ && event->type() == QEvent::KeyPress &&
           TypeUpperCase(box_, static_cast<QKeyEvent*>(event));
  }

 private:
  QLineEdit* box_;
};

}  // namespace

bool TypeUpperCase(QLineEdit* box, const QKeyEvent* event) {
  const QString text = event->text();
  if (text.size() != 1 || text[0] < u'a' || text[0] > u'z' || box->isReadOnly()) return false;
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return false;
  }
  box->insert(text.toUpper());
  return true;
}

void TypeInUpperCase(QLineEdit* box) { box->installEventFilter(new UpperCaseFilter(box)); }

}  // namespace tovek::ui
