#pragma once

#include <QString>
#include <QStringList>

// The strings of one page ("<dir>/<langCode>.ini", group typeStr, entries
// 0..total-1). Texts with an unquoted comma come back whole.
QStringList readLangStrings(const QString &typeStr, const QString &langCode,
                            const QString &dir = QStringLiteral("./modules/i18n"));
// The first eight strings of the "other" page become the DPI balloon
// texts; a short list keeps the remaining texts.
void takeDpiSwitchTexts(const QStringList &otherStrings);
