#include "ProcessRunner.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kt {

namespace {
void CloseFd(int& fd) {
    if (fd >= 0)
        close(fd);
    fd = -1;
}
} // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input) {
    ProcessResult result;
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        return result;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    signal(SIGPIPE, SIG_IGN);
    std::size_t written = 0;
    int inFd = in[1], outFd = out[0], errFd = err[0];
    if (input.empty())
        CloseFd(inFd);
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        if (poll(fds, 3, -1) < 0 && errno != EINTR)
            break;
        char buffer[4096];
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? outFd : errFd;
            if (fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR))) {
                const ssize_t n = read(fd, buffer, sizeof buffer);
                if (n > 0)
                    (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
                else
                    CloseFd(fd);
            }
        }
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = write(inFd, input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if (n < 0 || written == input.size())
                CloseFd(inFd);
        }
    }
    CloseFd(inFd);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

std::string ProgramPath(const std::string& name) {
    const std::string folder = name == "kt-m220-sim" ? "src/sim/" : "src/cli/";
    return std::string(KT_BINARY_DIR) + "/" + folder + name;
}

} // namespace kt
