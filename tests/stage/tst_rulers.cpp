#include <QtTest>

class tst_rulers : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_rulers)
#include "tst_rulers.moc"
