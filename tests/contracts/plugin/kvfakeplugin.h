#pragma once

// An extended-screen plug-in made in the test program, for KvPluginLoader's registration of
// built-in plug-ins. It counts the objects made so far.

#include "kvplugincommoninterface.h"
#include "kvpluginextscreeninterface.h"

#include <QJsonObject>
#include <QObject>
#include <QPixmap>

class KvFakePlugin : public QObject,
                     public Kova::KvPluginCommonInterface,
                     public Kova::KvPluginExtScreenInterface
{
    Q_OBJECT
    Q_INTERFACES(Kova::KvPluginCommonInterface Kova::KvPluginExtScreenInterface)
public:
    KvFakePlugin() { ++made; }

    static QJsonObject metaData(const QString& id, const QString& group = QStringLiteral("Test"))
    {
        return QJsonObject{{"id", id},
                           {"name", QStringLiteral("Name of %1").arg(id)},
                           {"group", group},
                           {"description", QStringLiteral("Description of %1").arg(id)},
                           {"interfaceVersion", 1}};
    }

    QIcon icon() const override
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    }
    Kova::KvPluginGuiInterface* guiInterface() override { return nullptr; }
    void applyState(const QVariant& state) override { m_state = state; }
    QVariant state() const override { return m_state; }
    QVariant defaultState() const override { return QVariantMap(); }
    QImage contentPicture(const QVariant&, const QSize&) const override { return QImage(); }
    int minimumContentCount() const override { return 0; }
    void paint(QPainter*, const QRectF&, const QVariant&, const QVariant&, qint64) const override {}

    static inline int made = 0;

private:
    QVariant m_state;
};
