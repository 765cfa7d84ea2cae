#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>
#include <functional>

namespace fw {

// Named notifications with an optional dictionary, delivered synchronously, in
// the order observers registered, on the posting thread. The application makes
// one and hands it to every screen; screens post from the main thread only, so
// observers may touch the interface.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const QVariantMap& userInfo)>;

    // The observation ends when the owner is destroyed or removed.
    void addObserver(QObject* owner, const QString& name, Handler handler);
    void removeObserver(QObject* owner);
    void post(const QString& name, const QVariantMap& userInfo = {});

private:
    struct Observation {
        QPointer<QObject> owner;
        QString name;
        Handler handler;
    };

    QList<Observation> observations;
};

} // namespace fw
