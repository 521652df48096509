// The about box: the program's identity filled in at load, and the keys that close it.
#include "about/frmAbout.h"
#include "testsupport.h"

#include <QTest>

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() { Forms::destroyAll(); }

    // The version is the program's own, always in three parts; Enter and Escape both close the box.
    void showsTheProgramsIdentity_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("key");
        QTest::newRow("Version 1.0.0") << "1.0.0" << int(Qt::Key_Return);
        QTest::newRow("Version 2.11.4") << "2.11.4" << int(Qt::Key_Escape);
        QTest::newRow("Version 3.1.0") << "3.1" << int(Qt::Key_Return);
    }
    void showsTheProgramsIdentity() {
        QFETCH(QString, version);
        QFETCH(int, key);
        QCoreApplication::setApplicationVersion(version);
        auto& about = Forms::get<frmAbout>();
        about.show();
        QCOMPARE(QStringList({about.caption(), about.lblTitle->caption(), about.lblVersion->caption()}),
                 QStringList({"About Wordpot", "Wordpot", QTest::currentDataTag()}));
        QVERIFY(QTest::qWaitForWindowActive(about.window()));
        QTest::keyClick(about.window()->windowHandle(), Qt::Key(key));
        QVERIFY(!about.isLoaded());
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
