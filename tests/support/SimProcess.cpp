#include "SimProcess.h"

#include "ProcessRunner.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kt {

SimProcess::SimProcess(const std::vector<std::string>& options) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> argv{ProgramPath("kt-m220-sim")};
    argv.insert(argv.end(), options.begin(), options.end());
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        std::vector<char*> args;
        for (auto& a : argv)
            args.push_back(a.data());
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
    // The first line is the device path; wait for it (bounded).
    std::string line;
    while (line.find('\n') == std::string::npos) {
        pollfd p{outFd_, POLLIN, 0};
        if (poll(&p, 1, 10000) <= 0)
            break;
        char buffer[256];
        const ssize_t n = read(outFd_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        line.append(buffer, static_cast<std::size_t>(n));
    }
    const auto end = line.find('\n');
    if (end != std::string::npos)
        device_ = line.substr(0, end);
}

int SimProcess::Stop() {
    if (pid_ <= 0)
        return -1;
    kill(pid_, SIGTERM);
    char buffer[4096];
    ssize_t n;
    while ((n = read(errFd_, buffer, sizeof buffer)) > 0)
        log_.append(buffer, static_cast<std::size_t>(n));
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    close(outFd_);
    close(errFd_);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

SimProcess::~SimProcess() {
    Stop();
}

} // namespace kt
