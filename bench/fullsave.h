// The Save the Save benchmarks time: key matrix, DPI table, lighting effect
// and colours, as the window's Save sends them for a full set of edits.
#pragma once

#include "platform/pause.h"
#include "shell/myqquickview.h"

#include <QElapsedTimer>

#include <initializer_list>

namespace bench {

inline QVariantList numbers(std::initializer_list<int> values) {
  QVariantList out;
  for (int v : values)
    out << v;
  return out;
}

inline void fullSave(myQQuickView &view) {
  QVariantList keys;
  for (int k = 0; k < 16; ++k)
    keys << 0 << 0 << (k < 5 ? 0xF0 + k : 0) << 0;
  view.mouseSetKeyMatrix(keys, true, numbers({5, 6, 7}));
  view.mouseSetDpi(4, QStringLiteral("3360"),
                   numbers({400, 800, 1600, 3200, 5000, 6400, 8000, 12000}));
  view.mouseSetRGBEffect(5, 2, 4);
  QVariantList colours;
  for (int i = 0; i < 24; ++i)
    colours << i * 10;
  view.mouseSetRGBColor(0, colours);
}

struct SaveTiming {
  int mandatedMs = 0;    // the pauses the commands must make
  double measuredMs = 0; // mean wall time of one Save
};

// One Save with the pause layer recording what it must wait, then `rounds`
// timed ones.
inline SaveTiming timeFullSave(myQQuickView &view, int rounds) {
  SaveTiming t;
  {
    platform::PauseLog log;
    fullSave(view);
    for (int ms : log.pauses())
      t.mandatedMs += ms;
  }
  double totalMs = 0;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer wall;
    wall.start();
    fullSave(view);
    totalMs += double(wall.nsecsElapsed()) / 1e6;
  }
  t.measuredMs = totalMs / rounds;
  return t;
}

} // namespace bench
