#pragma once

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// One run of a program to its end, measured as its own.
struct ChildRun {
    bool ok = false; // started, ended by itself within the limit, exit code 0
    double ms = 0;
    double cpuMs = 0; // user + system: what a busy shared machine does not inflate
    long peakKb = 0;
};

// The program's own peak resident memory so far (VmHWM, kilobytes), or 0 once it is gone.
// Not wait4's ru_maxrss: the child starts on the parent's address space (posix_spawn's
// vfork-style clone, or fork's copy of it), and exec folds that address space's high-water
// mark into the process's maxrss, so the child's ru_maxrss is never below the parent's own
// peak (checked: a 300 MB parent gives a spawned `sleep` 320 MB, its VmHWM 1.7 MB). VmHWM
// belongs to the address space exec created, that is to the program alone.
inline long childPeakKb(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", int(pid));
    std::FILE* status = std::fopen(path, "r");
    if (!status) {
        return 0;
    }
    long kb = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) {
            break;
        }
    }
    std::fclose(status);
    return kb;
}

// A program that does not end within `limit` is killed and the run is not ok.
inline ChildRun runChild(char* const argv[], char* const envp[], std::chrono::milliseconds limit) {
    ChildRun run;
    const auto started = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, envp) != 0) {
        return run;
    }
    int status = 0;
    pid_t waited = 0;
    // The high-water mark only grows: the last reading before the program ends is its peak,
    // short of at most the last millisecond, which is its exit.
    long peakKb = 0;
    rusage usage{}; // its times are the child's own, unlike its maxrss
    while ((waited = wait4(pid, &status, WNOHANG, &usage)) == 0) {
        if (std::chrono::steady_clock::now() > started + limit) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return run;
        }
        peakKb = std::max(peakKb, childPeakKb(pid));
        usleep(1000);
    }
    if (waited != pid) {
        return run;
    }
    run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                 .count();
    run.peakKb = peakKb;
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

// The same with the arguments, the program first, and the environment as text.
inline ChildRun runChild(const QStringList& arguments, const QStringList& environment,
                         std::chrono::milliseconds limit) {
    std::vector<QByteArray> storage;
    for (const QString& text : arguments + environment)
        storage.push_back(text.toLocal8Bit());
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (std::size_t i = 0; i < storage.size(); ++i)
        (i < std::size_t(arguments.size()) ? argv : envp).push_back(storage[i].data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    return runChild(argv.data(), envp.data(), limit);
}
