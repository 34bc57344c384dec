#include "shell/controlname.h"

#include "shell/controlbus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDebug>

ControlNameClaim claimControlName(QDBusConnection bus) {
  if (!bus.isConnected() || !bus.interface())
    return ControlNameClaim::NoBus;
  const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
      bus.interface()->registerService(controlbus::service,
                                       QDBusConnectionInterface::DontQueueService,
                                       QDBusConnectionInterface::DontAllowReplacement);
  if (!reply.isValid()) {
    // A bus that cannot say who owns the name guards nothing.
    qDebug().noquote() << "Session bus: cannot claim" << controlbus::service
                       << reply.error().message();
    return ControlNameClaim::NoBus;
  }
  return reply.value() == QDBusConnectionInterface::ServiceRegistered ? ControlNameClaim::Owned
                                                                      : ControlNameClaim::Taken;
}

void askControlNameOwnerToShow(QDBusConnection bus) {
  bus.call(QDBusMessage::createMethodCall(controlbus::service, controlbus::path,
                                          controlbus::interface, QStringLiteral("Show")),
           QDBus::Block, 5000);
}
