#include "ChildProcess.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int SignalExitBase = 128;
constexpr int ExecFailed = 127;

} // namespace

ChildProcess::ChildProcess(std::vector<std::string> argv, const std::string& outputPath) {
    std::vector<char*> pointers;
    for (std::string& word : argv)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0)
        exitCode_ = ExecFailed;
    if (pid_ != 0)
        return;
    // Only async-signal-safe calls from here to exec. The child dies with the scenario
    // process, however that ends, and its own process group lets kill() take along
    // whatever it starts.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(ExecFailed);
    setpgid(0, 0);
    const int output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const int input = open("/dev/null", O_RDONLY);
    if (output < 0 || input < 0)
        _exit(ExecFailed);
    dup2(input, STDIN_FILENO);
    dup2(output, STDOUT_FILENO);
    dup2(output, STDERR_FILENO);
    execvp(pointers[0], pointers.data());
    _exit(ExecFailed);
}

ChildProcess::~ChildProcess() {
    if (!exitCode_)
        ::kill(-pid_, SIGKILL);
    waitForExit();
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    waitUntil(
        [this] {
            if (exitCode_)
                return true;
            int status = 0;
            const pid_t done = waitpid(pid_, &status, WNOHANG);
            if (done == pid_)
                exitCode_ =
                    WIFEXITED(status) ? WEXITSTATUS(status) : SignalExitBase + WTERMSIG(status);
            return done != 0;
        },
        timeout);
    return exitCode_;
}

int runProgram(const std::vector<std::string>& argv, std::string* output) {
    char path[] = "/tmp/tapburg-e2e-out-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return -1;
    close(fd);
    const std::optional<int> code = ChildProcess(argv, path).waitForExit();
    if (output)
        *output = readFile(path);
    std::filesystem::remove(path);
    return code.value_or(-1);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
