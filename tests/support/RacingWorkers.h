#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Concurrency tests start copies of their own executable as other workstations. Each copy
// prepares, says "ready" and waits for "go", so that all of them start writing at once.
struct RaceResult {
    QString error;                    // empty when every worker ended well
    QList<QList<QByteArray>> outputs; // each worker's output lines
};

RaceResult
raceWorkers(const QStringList& arguments, int workers = 2,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// The worker's side: announce readiness and wait for the start.
void waitForGo();
