// The about box: the program's identity filled in at load, and the keys that close it.
#include "about/frmAbout.h"
#include "testsupport.h"

#include <QTest>

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() { Forms::destroyAll(); }

    void aboutFillsInTheProgramsIdentity_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("shown");
        QTest::newRow("this release") << QStringLiteral("1.0.0") << QStringLiteral("Version 1.0.0");
        QTest::newRow("another") << QStringLiteral("2.11.4") << QStringLiteral("Version 2.11.4");
        QTest::newRow("no revision") << QStringLiteral("3.1") << QStringLiteral("Version 3.1.0");
    }

    void aboutFillsInTheProgramsIdentity() {
        QFETCH(QString, version);
        QFETCH(QString, shown);
        QCoreApplication::setApplicationVersion(version);
        auto& about = Forms::get<frmAbout>();
        about.load();
        QCoreApplication::setApplicationVersion(QStringLiteral(WORDPOT_VERSION));
        QCOMPARE(about.caption(), QStringLiteral("About Wordpot"));
        QCOMPARE(about.lblTitle->caption(), QStringLiteral("Wordpot"));
        QCOMPARE(about.lblVersion->caption(), shown);
        QCOMPARE(about.clientSize(), QSize(413, 235));
        QCOMPARE(about.picIcon->size(), QSize(36, 36));
    }

    void enterAndEscapeCloseTheAboutBox_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void enterAndEscapeCloseTheAboutBox() {
        QFETCH(int, key);
        auto& about = Forms::get<frmAbout>();
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(about.window()));
        QTest::keyClick(about.window()->windowHandle(), Qt::Key(key));
        QVERIFY(!about.isLoaded());
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
