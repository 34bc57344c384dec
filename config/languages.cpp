#include "languages.h"

#include "device/hid_thread.h"

#include <QDebug>
#include <QSettings>

namespace {

// More strings than any page has; a corrupt "total" must not make a call
// allocate without bound.
constexpr int maxLangStrings = 4096;
constexpr int dpiTextCount = 8;

} // namespace

QStringList readLangStrings(const QString &typeStr, const QString &langCode, const QString &dir) {
  const QSettings lang(dir + QLatin1Char('/') + langCode + QStringLiteral(".ini"),
                       QSettings::IniFormat);
  int total = lang.value(typeStr + QStringLiteral("/total")).toInt();
  if (total > maxLangStrings) {
    qDebug().noquote() << "getLangStrings:" << typeStr << "of" << langCode << "claims" << total
                       << "strings, reading" << maxLangStrings;
    total = maxLangStrings;
  }
  QStringList strings;
  for (int i = 0; i < total; ++i) {
    const QVariant text = lang.value(typeStr + QLatin1Char('/') + QString::number(i));
    // An unquoted comma makes Qt read a text as a list; give the text back.
    strings.append(text.typeId() == QMetaType::QStringList
                       ? text.toStringList().join(QStringLiteral(", "))
                       : text.toString());
  }
  return strings;
}

void takeDpiSwitchTexts(const QStringList &otherStrings) {
  for (int i = 0; i < dpiTextCount && i < otherStrings.size(); ++i)
    dpiSwitchTexts[i] = otherStrings.at(i);
}
