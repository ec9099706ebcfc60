// The check that refuses a library operation on files that saved stages use: 1,000 files
// (none used, so every file is looked up) against the list of 500 saved stages that use
// 40 media files each (20,000 entries), case-insensitive, with folder matching. Also the
// case of 1,000 folders, each holding used files below it.

#include "kvlibraryfileoperator.h"
#include "kvusingfilelist.h"

#include <QtTest>

using namespace Kova;

class BenchLibraryFileOperator : public QObject
{
    Q_OBJECT

private:
    KvUsingFileList m_list;
    const QString m_dataDir = QStringLiteral("/data");

private slots:
    void initTestCase()
    {
        KvUsingFileList::Entries entries;
        for (int s = 0; s < 500; ++s) {
            const QString stage = QStringLiteral("/data/stage/Stage%1.xml").arg(s);
            for (int m = 0; m < 40; ++m)
                entries[QStringLiteral("/data/image/set%1/picture%2.png").arg(s).arg(m)].append(
                    stage);
        }
        m_list.setDataDir(m_dataDir);
        m_list.setEntries(entries);
        m_list.setState(KvUsingFileList::Created);
    }

    void unusedFiles_data()
    {
        QTest::addColumn<bool>("folders");
        QTest::newRow("1,000 files") << false;
        QTest::newRow("1,000 folders beside used ones") << true;
    }
    void unusedFiles()
    {
        QFETCH(bool, folders);
        QStringList files;
        for (int i = 0; i < 1000; ++i)
            files.append(folders
                             ? QStringLiteral("/data/image/other%1").arg(i)
                             : QStringLiteral("/data/image/set%1/free%2.png").arg(i % 500).arg(i));
        KvLibraryFileOperator fileOperator(KvLibraryFileOperator::Move);
        fileOperator.setDataDir(m_dataDir);
        fileOperator.setUsingFileList(&m_list);
        fileOperator.setFileList(files);
        bool used = true;
        QBENCHMARK
        {
            used = fileOperator.isFileUsingInSavedStage();
        }
        QVERIFY(!used);
    }
};

QTEST_MAIN(BenchLibraryFileOperator)
#include "bench_libraryfileoperator.moc"
