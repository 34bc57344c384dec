#pragma once

#include <QSettings>
#include <QString>

// Whether a file reads as one of our profiles: an INI holding every group
// and key of the factory profile, each value of the shape and range the
// pages and the device commands use. Imports take nothing else, so a junk
// file can never become a profile.
bool isProfileFile(const QString &file, const QSettings &factory);
