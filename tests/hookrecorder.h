#pragma once
// What the capture's callbacks reported, for the capture tests.
#include <QList>

namespace hookrecorder {

struct Report {
  unsigned code;
  unsigned pressed;
  bool operator==(const Report &o) const { return code == o.code && pressed == o.pressed; }
};

inline QList<Report> reports;
inline QList<QList<int>> mouseReports;

inline void recordKey(unsigned code, unsigned pressed, void *) { reports.append({code, pressed}); }
inline void recordMouse(unsigned code, unsigned pressed, int x, int y, void *) {
  mouseReports.append({int(code), int(pressed), x, y});
}

} // namespace hookrecorder
