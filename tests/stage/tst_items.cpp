#include <QtTest>

class tst_items : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_items)
#include "tst_items.moc"
