// The view's whole-profile files: export and import through the file
// dialogs, with what happened told in the window's language.
#include "myqquickview.h"

#include "config/languages.h"
#include "config/profile_check.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// Exports are written as ".ini"; files from older exports (".pf") still open.
const QString profileFilter = QStringLiteral("Profile(*.ini *.pf)");

// The user's documents folder; the home folder where there is none, since a
// dialog takes a folder that does not exist for a file name.
QString documentsDir() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString shown(const QString &file) { return QDir::toNativeSeparators(file); }

} // namespace

QString myQQuickView::profileText(int index, const char *english) const {
  const QStringList texts = readLangStrings(QStringLiteral("profile"), currentLanguage());
  if (index < texts.size() && !texts[index].isEmpty())
    return texts[index];
  return QString::fromUtf8(english);
}

QString myQQuickView::profileRowName(int profile) {
  const QString number = QString::number(profile);
  for (const QVariant &row : nameLists.names(2)) {
    const QString text = row.toString();
    if (text.size() > 1 && text.endsWith(number))
      return text.chopped(1);
  }
  return {};
}

void myQQuickView::saveProfile(int profile) {
  if (!store.isProfile(profile, "saveProfile"))
    return;
  QString name = profileRowName(profile);
  name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
  if (name.trimmed().isEmpty())
    name = QStringLiteral("profile_%1").arg(profile);
  const QString proposed = documentsDir() + QLatin1Char('/') + name + QStringLiteral(".ini");
  QString chosen = askFileName(true, tr("Save File"), profileFilter, proposed);
  if (chosen.isEmpty())
    return;
  if (QFileInfo(chosen).suffix().isEmpty())
    chosen += QStringLiteral(".ini");
  const QString title = profileText(4, "Export");
  if (store.exportProfile(profile, chosen))
    platform::showMessageBox({QMessageBox::Information, this, title,
                              profileText(8, "Profile exported to %1").arg(shown(chosen))});
  else
    platform::warning(this, title,
                      profileText(9, "The profile could not be written to %1").arg(shown(chosen)));
}

// True only when the profile's file now holds the chosen one.
bool myQQuickView::loadProfile(int profile) {
  if (!store.isProfile(profile, "loadProfile"))
    return false;
  const QString chosen = askFileName(false, tr("Open File"), profileFilter, documentsDir());
  if (chosen.isEmpty())
    return false;
  const QString title = profileText(2, "Import");
  if (!isProfileFile(chosen, store.factory())) {
    platform::warning(this, title,
                      profileText(6, "This file is not a profile and nothing was imported: %1")
                          .arg(shown(chosen)));
    return false;
  }
  // A profile the page lists is someone's work: replacing it is asked first.
  const QString name = profileRowName(profile);
  if (!name.isEmpty()) {
    const auto answer = platform::showMessageBox(
        {QMessageBox::Question, this, title,
         profileText(7, "Replace the profile “%1” with the imported file?").arg(name),
         QMessageBox::Yes | QMessageBox::No});
    if (answer != QMessageBox::Yes)
      return false;
  }
  if (store.importProfile(profile, chosen))
    return true;
  platform::warning(
      this, title, profileText(10, "The profile could not be imported from %1").arg(shown(chosen)));
  return false;
}
