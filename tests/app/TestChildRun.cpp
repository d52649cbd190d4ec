#include "../../bench/ChildRun.h"

#include <QByteArray>
#include <QTest>

extern char** environ;

using namespace std::chrono_literals;

class TestChildRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A parent far heavier than its child must not lend the child its peak.
    void peakIsTheChildsOwn() {
        const QByteArray ballast(256 << 20, 'x');
        char program[] = "/bin/sleep";
        char seconds[] = "0.2";
        char* argv[] = {program, seconds, nullptr};

        const ChildRun run = runChild(argv, environ, 5s);

        QVERIFY(run.ok);
        QVERIFY2(run.peakKb > 0 && run.peakKb < 16 * 1024, qPrintable(QString::number(run.peakKb)));
        QVERIFY(run.ms >= 190);
        QVERIFY(run.cpuMs < run.ms);
        QCOMPARE(ballast.at(ballast.size() - 1), 'x');
    }
};

QTEST_GUILESS_MAIN(TestChildRun)
#include "TestChildRun.moc"
