// The desktop program run as a user runs it, offscreen: closing the main window ends the program
// with status 0 whatever other windows are open, and promptly, and an argument the program does
// not know is refused. The program is driven from inside by a library loaded into it
// (closedriver.cpp).
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    bool finished = false;
    int status = -1;
    QString errors;        // standard error: the driver's report and the program's messages
    qint64 lingered = -1;  // ms from the main window's closing to the end of the process
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
    p.setReadChannel(QProcess::StandardError);
    p.start(QStringLiteral(TUNDRIX_BIN_DIR "/tundrix"), args);
    Run r;
    QByteArray errors;
    QElapsedTimer clock;
    clock.start();
    qint64 closed = -1;
    // A program that outlives its main window is killed here and fails the test.
    if (p.waitForStarted(10000)) {
        while (p.state() != QProcess::NotRunning && clock.elapsed() < 30000) {
            p.waitForReadyRead(20);
            errors += p.readAllStandardError();
            if (closed < 0 && errors.contains("driver: closed the main window"))
                closed = clock.elapsed();
        }
        r.finished = p.state() == QProcess::NotRunning;
    }
    if (r.finished && closed >= 0)
        r.lingered = clock.elapsed() - closed;
    if (!r.finished) {
        p.kill();
        p.waitForFinished(5000);
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.errors = QString::fromLocal8Bit(errors + p.readAllStandardError());
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
        // The process ends promptly after its window: a tenth of a second or two, well under the
        // bound even on a loaded machine.
        qInfo("the process ended %lld ms after its window closed", r.lingered);
        QVERIFY2(
            r.lingered >= 0 && r.lingered < 1000,
            qPrintable(
                QStringLiteral("the process lived %1 ms after its window closed").arg(r.lingered)));
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
