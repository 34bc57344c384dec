#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The strings of one page ("<dir>/<langCode>.ini", group typeStr, entries
// 0..total-1). Texts with an unquoted comma come back whole.
QStringList readLangStrings(const QString &typeStr, const QString &langCode,
                            const QString &dir = QStringLiteral("./modules/i18n"));
// The first eight strings of the "other" page become the DPI balloon
// texts; a short list keeps the remaining texts.
void takeDpiSwitchTexts(const QStringList &otherStrings);

// The position, in each file's "systemSetting" section, of the file's own
// name for its language ("English", "简体中文").
constexpr int languageOwnNameIndex = 20;

struct ShippedLanguage {
  QString code; // the file's base name, as stored in "common/language"
  QString name; // how the file names its language
};
// Every language file of `dir`, by code.
QStringList shippedLanguageCodes(const QString &dir = QStringLiteral("./modules/i18n"));
QList<ShippedLanguage> shippedLanguages(const QString &dir = QStringLiteral("./modules/i18n"));
// The shipped language a locale asks for (its language, and its script where
// a file is written in one script), else "English".
QString languageForLocale(const QLocale &locale, const QStringList &shippedCodes);
// The language the program shows: the stored choice while its file is
// shipped, otherwise the one the locale asks for.
QString effectiveLanguage(const QString &stored, const QLocale &locale,
                          const QString &dir = QStringLiteral("./modules/i18n"));
