// A plug-in for the loader tests, built three times: with a good description, with one for a
// newer interface version, and reading a value no library defines (its description reads
// well, its library does not load). Making its object appends a line to the file named by
// KOVA_TEST_PLUGIN_MARKER, so a test sees whether and how often it was made.

#include "kvplugincommoninterface.h"

#include <QFile>
#include <QObject>

#ifdef TEST_PLUGIN_UNRESOLVED
extern "C" int kovaTestValueNobodyDefines;
#endif

class TestPlugin : public QObject, public Kova::KvPluginCommonInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KvPluginCommonInterface_iid FILE TEST_PLUGIN_JSON)
    Q_INTERFACES(Kova::KvPluginCommonInterface)
public:
    TestPlugin()
    {
        QFile marker(qEnvironmentVariable("KOVA_TEST_PLUGIN_MARKER"));
        if (marker.open(QIODevice::Append))
            marker.write("made\n");
#ifdef TEST_PLUGIN_UNRESOLVED
        marker.write(QByteArray::number(kovaTestValueNobodyDefines));
#endif
    }
    QIcon icon() const override
    {
        return QIcon();
    }
};

#include "testplugin.moc"
