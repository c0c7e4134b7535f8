#include "common/output_names.h"

#include "common/text_file.h"

namespace tovek {

OutputName OutputNameOf(const QString& call_sign) {
  OutputName name;
  name.base = call_sign.trimmed();
  const qsizetype slash = name.base.indexOf(u'/');
  if (slash >= 0) name.base[slash] = u'-';
  if (name.base.isEmpty()) {
    name.reason = QStringLiteral("コールサインが空です");
  } else if (name.base.contains(u'/') || name.base.contains(u'\\')) {
    name.reason = QStringLiteral("2 つ目の \"/\" または \"\\\" はフォルダーの区切りになります");
  } else if (name.base.contains(QStringLiteral(".."))) {
    name.reason = QStringLiteral("\"..\" は上のフォルダーを指します");
  } else if (name.base.startsWith(u'.')) {
    name.reason = QStringLiteral("\".\" で始まる名前は隠しファイルになります");
  } else {
    for (const QChar c : name.base) {
      if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
        name.reason = QStringLiteral("制御文字はファイル名に使えません");
        break;
      }
      // The mark of bytes that were no character when the log was read (a
      // character cut in half at the end of the line): no part of a call.
      if (c.unicode() == 0xFFFD) {
        name.reason = QStringLiteral("読めない文字 (\uFFFD) があります");
        break;
      }
      if (QStringLiteral(":*?\"<>|").contains(c)) {
        name.reason = QStringLiteral("\"%1\" はファイル名に使えません").arg(c);
        break;
      }
    }
  }
  return name;
}

QString RefusedCallSignMessage(const QString& call_sign, const OutputName& name) {
  return QStringLiteral(
             "コールサイン \"%1\" からファイル名を作れません (%2)。\r\n"
             "コールサインを確認してください。何も保存されていません。")
      .arg(PlainText(call_sign.trimmed()), name.reason);
}

}  // namespace tovek
