// What the scenarios share: failing with a reason, the program's state as
// norvanectl reports it, and the settings requests found in a trace.
#pragma once

// GLib headers first: they use the names Qt defines as keywords.
#include "kernelmouse.h"

#include "harness.h"

#include <QJsonObject>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kernelbed {

struct Failure {
  QString what;
};

void check(bool ok, const QString &what);

QJsonObject status(const Harness &h);
bool connected(const Harness &h);
void startConnected(Harness &h, KernelMouse &mouse, const QStringList &env = {});

// Until the program has sent nothing for a while: what it sends on its own
// after connecting must not mix with what an operation sends.
void waitQuiet(const std::function<qsizetype()> &traced);

// The settings an operation sends: feature reports other than queries, and
// output reports, as "<op> <hex>" lines.
std::vector<std::string> requestsIn(const QStringList &lines);

// The command block a traced feature report carries, unscrambled.
std::optional<vmouse::Block> commandIn(const QString &line);

// Every HID request so far, from the emulated node or from the virtual
// mouse's trace file.
QStringList traceOf(const KernelMouse &mouse);
QStringList traceOf(const QString &traceFile);

// Thrown when the scenario cannot run here at all.
struct Skip {
  QString why;
};

// Save in the real window, by pointer and keyboard on the X server.
void saveByHand(Harness &h, KernelMouse &mouse, const QString &bin, const QString &family);

// Profile reads answered after their timeout at connect.
void lateReply(Harness &h, KernelMouse &mouse);

} // namespace kernelbed
