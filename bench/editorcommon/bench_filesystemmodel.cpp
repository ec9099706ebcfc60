#include "kvfilesystemmodel.h"

#include <QtTest>

#include <memory>

using namespace Kova;

// Library-sized folders: reading, looking up every file, re-reading without and with
// changes.
class BenchFileSystemModel : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_root;
    static const int FileCount = 5000;

    QString file(int i) const { return QStringLiteral("%1/image/photo%2.png").arg(m_root).arg(i); }

private slots:
    void initTestCase()
    {
        m_root = QDir(m_dir.path()).canonicalPath();
        QVERIFY(QDir(m_root).mkpath("image"));
        for (int i = 0; i < FileCount; ++i) {
            QFile f(file(i));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }

    void readFolder()
    {
        QBENCHMARK
        {
            KvFileSystemModel model;
            model.setRootPath(m_root);
            model.fetchMore(model.index(m_root + "/image"));
            QCOMPARE(model.rowCount(model.index(m_root + "/image")), FileCount);
        }
    }

    void lookUpEveryFile()
    {
        KvFileSystemModel model;
        model.setRootPath(m_root);
        QBENCHMARK
        {
            for (int i = 0; i < FileCount; ++i)
                QVERIFY(model.index(file(i)).isValid());
        }
    }

    void rereadUnchanged()
    {
        KvFileSystemModel model;
        model.setRootPath(m_root);
        model.fetchMore(model.index(m_root + "/image"));
        QBENCHMARK
        {
            model.update(m_root);
        }
    }

    void rereadWithChanges()
    {
        KvFileSystemModel model;
        model.setRootPath(m_root);
        const QModelIndex image = model.index(m_root + "/image");
        model.fetchMore(image);
        QBENCHMARK
        {
            for (int i = 0; i < 500; ++i)
                QFile::rename(file(i), file(i) + ".moved");
            model.update(image);
            for (int i = 0; i < 500; ++i)
                QFile::rename(file(i) + ".moved", file(i));
            model.update(image);
        }
        QCOMPARE(model.rowCount(image), FileCount);
    }
};

QTEST_MAIN(BenchFileSystemModel)
#include "bench_filesystemmodel.moc"
