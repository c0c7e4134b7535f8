// What typing in the editor's text boxes does beyond plain typing.
#pragma once

class QKeyEvent;
class QLineEdit;
class QObject;

namespace tovek::ui {

// Typed lower-case letters a to z go into `box` in upper case (other
// lower-case text the box holds stays). True when the key was taken.
bool TypeUpperCase(QLineEdit* box, const QKeyEvent* event);

// Makes every letter a to z typed into `box` upper case.
void TypeInUpperCase(QLineEdit* box);

}  // namespace tovek::ui
