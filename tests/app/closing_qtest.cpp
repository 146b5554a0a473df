// The desktop program run as a user runs it, offscreen: closing the main window ends the program
// with status 0 whatever other windows are open, and an argument the program does not know is
// refused. The program is driven from inside by a library loaded into it (closedriver.cpp).
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    bool finished = false;
    int status = -1;
    QString errors;  // standard error: the driver's report and the program's messages
};

Run runProgram(const QStringList& args, const QString& open = {}, const QString& close = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!close.isEmpty()) {
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TUNDRIX_CLOSE_DRIVER));
        env.insert(QStringLiteral("TUNDRIX_DRIVE_OPEN"), open);
        env.insert(QStringLiteral("TUNDRIX_DRIVE_CLOSE"), close);
    }
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TUNDRIX_BIN_DIR "/tundrix"), args);
    Run r;
    // A program that outlives its main window is killed here and fails the test.
    r.finished = p.waitForStarted(10000) && p.waitForFinished(30000);
    if (!r.finished) {
        p.kill();
        p.waitForFinished(5000);
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.errors = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

}  // namespace

class ClosingTest : public QObject {
    Q_OBJECT

private slots:
    void closingTheMainWindowEndsTheProgram_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("shown");
        QTest::newRow("chiller tab, Закрыть") << QStringList{} << "chiller"
                                              << "button"
                                              << "TForm1 TForm8";
        QTest::newRow("basket, options and maintenance windows, Выход")
            << QStringList{QStringLiteral("--maintenance")} << "basket,options,editor,builder"
            << "menu"
            << "TForm1 TForm2 TForm3 TForm6 TForm7";
        QTest::newRow("every window, the window's own close")
            << QStringList{QStringLiteral("--maintenance")}
            << "chiller,basket,options,editor,techdata,builder"
            << "window"
            << "TForm1 TForm2 TForm3 TForm5 TForm6 TForm7 TForm8";
    }
    void closingTheMainWindowEndsTheProgram() {
        QFETCH(QStringList, args);
        QFETCH(QString, open);
        QFETCH(QString, close);
        QFETCH(QString, shown);
        const Run r = runProgram(args, open, close);
        QVERIFY2(r.errors.contains(QStringLiteral("driver: open: ") + shown + '\n'),
                 qPrintable(r.errors));
        QVERIFY2(r.errors.contains(QStringLiteral("driver: closed the main window by ") + close),
                 qPrintable(r.errors));
        QVERIFY2(r.finished, "the program kept running after its main window was closed");
        QCOMPARE(r.status, 0);
    }

    void argumentsOtherThanDataAndMaintenanceAreRefused() {
        for (const QString& arg : {QStringLiteral("-x"), QStringLiteral("--data")}) {
            const Run r = runProgram({arg});
            QVERIFY(r.finished);
            QCOMPARE(r.status, 2);
            QVERIFY2(r.errors.contains(QStringLiteral("unknown argument ") + arg),
                     qPrintable(r.errors));
        }
    }
};

QTEST_GUILESS_MAIN(ClosingTest)
#include "closing_qtest.moc"
