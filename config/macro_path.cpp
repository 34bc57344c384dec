#include "macro_path.h"

#include <QDebug>

namespace {

constexpr qsizetype maxMacroNameLength = 64;

} // namespace

bool isSafeMacroName(const QString &name, const char *operation) {
  const bool safe = !name.isEmpty() && name.size() <= maxMacroNameLength &&
                    name != QLatin1String(".") && name != QLatin1String("..") &&
                    !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
                    !name.contains(QChar(0));
  if (!safe)
    qDebug().noquote() << operation << "refused: bad macro name" << name.left(80);
  return safe;
}
