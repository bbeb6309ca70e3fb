#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kt {

namespace {
// The environment of the child: the parent's, with the given entries added
// or replaced. Built before fork, so that the child only calls what is safe.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& changes) {
    std::vector<std::string> entries;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const std::string& change : changes)
            replaced = replaced || change.compare(0, name.size(), name) == 0;
        if (!replaced)
            entries.push_back(entry);
    }
    entries.insert(entries.end(), changes.begin(), changes.end());
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& t : texts)
        pointers.push_back(t.data());
    pointers.push_back(nullptr);
    return pointers;
}
} // namespace

ChildResult RunChild(const std::vector<std::string>& argv, const ChildSetup& setup) {
    ChildResult result;
    std::vector<std::string> args = argv;
    std::vector<std::string> env = ChildEnvironment(setup.environment);
    const std::vector<char*> argp = Pointers(args);
    const std::vector<char*> envp = Pointers(env);

    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return result;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return result;
    }
    const std::string input = setup.standardInput.empty() ? "/dev/null" : setup.standardInput;
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open(input.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0)
            _exit(127);
        dup2(in, 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        if (setup.fileSizeLimit) {
            const rlimit limit{*setup.fileSizeLimit, *setup.fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (setup.ignoreFileSizeSignal)
            signal(SIGXFSZ, SIG_IGN);
        execve(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    int fds[2] = {out[0], err[0]};
    std::string* texts[2] = {&result.out, &result.err};
    while (fds[0] >= 0 || fds[1] >= 0) {
        pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        if (poll(p, 2, -1) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i] < 0 || (p[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i], buffer, sizeof buffer);
            if (n > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i]);
                fds[i] = -1;
            }
        }
    }
    for (int fd : fds)
        if (fd >= 0)
            close(fd);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    result.maxResidentKb = usage.ru_maxrss;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

} // namespace kt
