// The face the programs draw log rows and data fields in. Their stored
// defaults, "ＭＳ ゴシック" (Kavrel) and "ＭＳ 明朝" (Morrick), come with
// Japanese Windows only; where such a face is not installed, the text
// system would pick any face that has the characters, often a proportional
// one, and the columns of the log rows would no longer line up.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tovek::ui {

// The family to draw data in for the stored name `wanted`: `wanted` itself
// when it is among the `installed` families; otherwise the first installed
// of the well-known fixed-pitch Japanese families that `fits` (Mincho faces
// first when a Mincho face was wanted, Gothic faces first otherwise);
// otherwise the first installed family that `fits`; otherwise `wanted`.
// Family names compare without regard to case.
QString ChooseDataFontFamily(const QString& wanted, const QStringList& installed,
                             const std::function<bool(const QString&)>& fits);

// The same over the screen's families, where a family fits when it passes
// the font picker's fixed-pitch test and holds Japanese characters. The
// stored setting is left as it is: it names the face the user chose.
QString InstalledDataFontFamily(const QString& wanted);

}  // namespace tovek::ui
