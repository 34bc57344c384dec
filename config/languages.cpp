#include "languages.h"

#include "device/hid_thread.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// More strings than any page has; a corrupt "total" must not make a call
// allocate without bound.
constexpr int maxLangStrings = 4096;
constexpr int dpiTextCount = 8;
const QString fallbackLanguage = QStringLiteral("English");

// A file is named after its language in English ("German"), with the
// script where one language has files in two.
bool fileMatches(const QString &code, const QLocale &locale) {
  if (code == QLatin1String("ChineseSimplified"))
    return locale.language() == QLocale::Chinese && locale.script() == QLocale::SimplifiedHanScript;
  if (code == QLatin1String("ChineseTraditional"))
    return locale.language() == QLocale::Chinese &&
           locale.script() == QLocale::TraditionalHanScript;
  return locale.language() != QLocale::C && QLocale::languageToString(locale.language()) == code;
}

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

QStringList shippedLanguageCodes(const QString &dir) {
  QStringList codes;
  const QFileInfoList files =
      QDir(dir).entryInfoList({QStringLiteral("*.ini")}, QDir::Files | QDir::Readable, QDir::Name);
  for (const QFileInfo &file : files)
    codes.append(file.completeBaseName());
  return codes;
}

QList<ShippedLanguage> shippedLanguages(const QString &dir) {
  QList<ShippedLanguage> languages;
  for (const QString &code : shippedLanguageCodes(dir)) {
    const QStringList texts = readLangStrings(QStringLiteral("systemSetting"), code, dir);
    const QString name =
        languageOwnNameIndex < texts.size() ? texts[languageOwnNameIndex] : QString();
    languages.append({code, name.trimmed().isEmpty() ? code : name.trimmed()});
  }
  return languages;
}

QString languageForLocale(const QLocale &locale, const QStringList &shippedCodes) {
  // uiLanguages carries the user's order of preference (LANGUAGE) as well.
  for (const QString &tag : locale.uiLanguages()) {
    const QLocale wanted(tag);
    for (const QString &code : shippedCodes)
      if (fileMatches(code, wanted))
        return code;
  }
  return fallbackLanguage;
}

QString effectiveLanguage(const QString &stored, const QLocale &locale, const QString &dir) {
  const QStringList codes = shippedLanguageCodes(dir);
  if (!stored.isEmpty() && codes.contains(stored))
    return stored;
  return languageForLocale(locale, codes);
}
