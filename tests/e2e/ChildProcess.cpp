#include "ChildProcess.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::chrono::milliseconds PollStep{20};
constexpr int SignalExitBase = 128;
constexpr int ExecFailed = 127;
constexpr int KeptDescriptor = 3;

std::vector<std::string> mergedEnvironment(const ChildProcess::EnvironmentChanges& changes) {
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos)
            merged[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : changes) {
        if (value)
            merged[name] = *value;
        else
            merged.erase(name);
    }
    std::vector<std::string> result;
    for (const auto& [name, value] : merged)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const EnvironmentChanges& environment, const std::string& outputPath,
                           int keepFd) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = mergedEnvironment(environment);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(env);
    const std::string out = outputPath.empty() ? "/dev/null" : outputPath;
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ != 0)
        return;
    // Only async-signal-safe calls from here to exec. The child dies with the scenario
    // process, however that ends, and its own process group lets kill() take along
    // whatever it starts.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(ExecFailed);
    setpgid(0, 0);
    const int output = open(out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const int input = open("/dev/null", O_RDONLY);
    if (output < 0 || input < 0)
        _exit(ExecFailed);
    dup2(input, STDIN_FILENO);
    dup2(output, STDOUT_FILENO);
    dup2(output, STDERR_FILENO);
    if (keepFd != -1)
        dup2(keepFd, KeptDescriptor);
    execvpe(argp[0], argp.data(), envp.data());
    _exit(ExecFailed);
}

ChildProcess::~ChildProcess() {
    kill();
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    if (exitCode_ || pid_ <= 0)
        return exitCode_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : SignalExitBase + WTERMSIG(status);
            return exitCode_;
        }
        if (done < 0 || std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(PollStep);
    }
}

void ChildProcess::kill() {
    if (pid_ <= 0 || exitCode_)
        return;
    ::kill(-pid_, SIGKILL);
    waitForExit(std::chrono::seconds(5));
}

int runProgram(const std::vector<std::string>& argv, std::string* output,
               std::chrono::milliseconds timeout,
               const ChildProcess::EnvironmentChanges& environment) {
    char path[] = "/tmp/tapburg-e2e-out-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return -1;
    close(fd);
    int code = -1;
    {
        ChildProcess child(argv, environment, path);
        if (const std::optional<int> exit = child.waitForExit(timeout))
            code = *exit;
    }
    if (output) {
        std::ifstream in(path);
        std::ostringstream text;
        text << in.rdbuf();
        *output = text.str();
    }
    std::filesystem::remove(path);
    return code;
}
