// Language strings of the pages and the DPI balloon texts.
#include "shell/myqquickview.h"

#include "device/hid_thread.h"

#include <QDebug>
#include <QSettings>
#include <QStringList>

namespace {

// More strings than any page has; a corrupt "total" must not make a call
// allocate without bound.
constexpr int maxLangStrings = 4096;
constexpr int dpiTextCount = 8;

} // namespace

QStringList myQQuickView::getLangStrings(QString typeStr, QString langCode) {
  const QSettings lang(QStringLiteral("./modules/i18n/") + langCode + QStringLiteral(".ini"),
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

  // A short "other" section keeps the remaining texts as they were.
  if (typeStr == QLatin1String("other"))
    for (int i = 0; i < dpiTextCount && i < strings.size(); ++i)
      dpiSwitchTexts[i] = strings.at(i);
  return strings;
}
