#include "support/RacingWorkers.h"

#include <QCoreApplication>
#include <QProcess>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kStartMs = 20000;
constexpr int kRunMs = 300000;

QString failure(QProcess& worker, const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(worker.readAllStandardError()));
}

} // namespace

RaceResult raceWorkers(const QStringList& arguments, int workers,
                       const QProcessEnvironment& environment) {
    RaceResult result;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int i = 0; i < workers; ++i) {
        auto worker = std::make_unique<QProcess>();
        worker->setProcessEnvironment(environment);
        worker->start(QCoreApplication::applicationFilePath(), arguments);
        if (!worker->waitForStarted()) {
            result.error = QStringLiteral("a worker did not start");
            return result;
        }
        running.push_back(std::move(worker));
    }
    for (auto& worker : running) {
        while (!worker->canReadLine()) {
            if (!worker->waitForReadyRead(kStartMs)) {
                result.error = failure(*worker, "a worker never got ready");
                return result;
            }
        }
        if (worker->readLine().trimmed() != "ready") {
            result.error = failure(*worker, "a worker said something else than ready");
            return result;
        }
    }
    for (auto& worker : running)
        worker->write("go\n");
    for (auto& worker : running) {
        if (!worker->waitForFinished(kRunMs) || worker->exitCode() != 0) {
            result.error = failure(*worker, "a worker failed");
            return result;
        }
        result.outputs.append(worker->readAllStandardOutput().trimmed().split('\n'));
    }
    return result;
}

void waitForGo() {
    std::cout << "ready" << std::endl;
    std::string go;
    std::getline(std::cin, go);
}
