#include "EyedropperPortal.h"

#include <QCoreApplication>
#include <QWidget>

#if TINSORA_HAVE_DBUS

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

// One pick: waits for the portal's Response signal on the request object.
class PortalRequest final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortalRequest)

public:
    PortalRequest(DesktopServices::DesktopPickDone done, QObject* parent)
        : QObject(parent), done_(std::move(done)) {}

    bool listen(const QString& path) {
        if (path == path_)
            return true;
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!path_.isEmpty())
            bus.disconnect(kService, path_, kRequest, QStringLiteral("Response"), this,
                           SLOT(response(uint, QVariantMap)));
        path_ = path;
        return bus.connect(kService, path_, kRequest, QStringLiteral("Response"), this,
                           SLOT(response(uint, QVariantMap)));
    }

    void finish(std::optional<QColor> color, const QString& error) {
        if (finished_)
            return;
        finished_ = true;
        QDBusConnection::sessionBus().disconnect(kService, path_, kRequest,
                                                 QStringLiteral("Response"), this,
                                                 SLOT(response(uint, QVariantMap)));
        deleteLater();
        done_(color, error);
    }

public slots:
    void response(uint code, const QVariantMap& results) {
        if (code == 1) // the user cancelled
            return finish(std::nullopt, {});
        if (code != 0 || !results.contains(QStringLiteral("color")))
            return finish(std::nullopt,
                          QCoreApplication::translate(
                              "EyedropperPortal", "デスクトップで色を取ることができませんでした"));
        const QDBusArgument argument =
            results.value(QStringLiteral("color")).value<QDBusArgument>();
        double red = 0;
        double green = 0;
        double blue = 0;
        argument.beginStructure();
        argument >> red >> green >> blue;
        argument.endStructure();
        finish(QColor::fromRgbF(static_cast<float>(red), static_cast<float>(green),
                                static_cast<float>(blue)),
               {});
    }

private:
    DesktopServices::DesktopPickDone done_;
    QString path_;
    bool finished_ = false;
};

} // namespace

bool PickColorThroughPortal(QWidget* parent, DesktopServices::DesktopPickDone done) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const bool running = bus.interface()->isServiceRegistered(kService);
    if (!running && !bus.interface()->activatableServiceNames().value().contains(kService))
        return false;

    // The portal names the request object after the sender and a token of
    // ours; listening before the call keeps a quick answer from being lost.
    const QString token = QStringLiteral("tinsora%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString path =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    auto* request = new PortalRequest(std::move(done), parent);
    request->listen(path);

    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("PickColor"));
    call << QString() << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, request,
        [request](QDBusPendingCallWatcher* w) {
            const QDBusPendingReply<QDBusObjectPath> reply = *w;
            w->deleteLater();
            if (reply.isError())
                request->finish(
                    std::nullopt,
                    QCoreApplication::translate("EyedropperPortal",
                                                "デスクトップで色を取ることができませんでした (%1)")
                        .arg(reply.error().message()));
            else
                request->listen(reply.value().path());
        });
    return true;
}

#include "EyedropperPortal.moc"

#else

bool PickColorThroughPortal(QWidget*, DesktopServices::DesktopPickDone) {
    return false;
}

#endif
