#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <array>
#include <memory>

// The configuration files the program keeps open for its whole life: the
// global file, the factory profile and the ten profiles, with the current
// profile. Replacing a file (import, reset, copy) never leaves it missing or
// half written, and the handle reopens on the new content.
class ProfileStore {
public:
  static constexpr int profileCount = 10;

  explicit ProfileStore(const QString &dir = QStringLiteral("./modules/setting"));
  ~ProfileStore();
  ProfileStore(const ProfileStore &) = delete;
  ProfileStore &operator=(const ProfileStore &) = delete;

  QSettings &global() const { return *globalConfig; }
  QSettings &factory() const { return *defaultProfile; }
  QSettings &profile(int index) const { return *profiles.at(size_t(index)); }
  QSettings &current() const { return profile(currentProfile); }
  // The factory profile on recovery, else the current one.
  QSettings &source(bool isRecovery) const { return isRecovery ? factory() : current(); }
  int currentIndex() const { return currentProfile; }

  // Values stored as lists; a lone item reads back as a plain value, which
  // gives an empty list.
  QVariantList list(const QString &key, bool isRecovery) const;

  // False, with one debug line naming the operation, for an index that is
  // not a profile.
  bool isProfile(int index, const char *operation) const;
  bool setCurrent(int index);

  // The global file from its factory copy.
  bool resetGlobal();
  bool importProfile(int index, const QString &file);
  bool exportProfile(int index, const QString &file);
  bool resetProfile(int index);
  bool copyProfile(int destination, int source);

private:
  // On failure the file and the handle stay as they were.
  bool replace(std::unique_ptr<QSettings> &handle, const QString &source);

  QString dir;
  std::unique_ptr<QSettings> globalConfig;
  std::unique_ptr<QSettings> defaultProfile;
  std::array<std::unique_ptr<QSettings>, profileCount> profiles;
  int currentProfile = 0;
};
