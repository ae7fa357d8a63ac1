#include "platform/env.h"
#include "platform/process.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kalveo {

namespace {

bool spawn(const std::vector<std::string>& argv, pid_t& pid,
           const posix_spawn_file_actions_t* actions = nullptr) {
    if (argv.empty() || argv[0].empty()) return false;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return posix_spawnp(&pid, args[0], actions, nullptr, args.data(), environ) == 0;
}

int exit_status(int status) {
    if (WIFEXITED(status)) {
        // posix_spawnp reports a missing program as the child's exit 127.
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return kNotStarted;
}

int wait_for(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return kNotStarted;
    }
    return exit_status(status);
}

void read_all(int fd, std::string& output, std::size_t max_output) {
    char buffer[4096];
    while (true) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        const std::size_t room = max_output - std::min(max_output, output.size());
        output.append(buffer, std::min(room, static_cast<std::size_t>(got)));
    }
}

} // namespace

int run_program(const std::vector<std::string>& argv) {
    pid_t pid = 0;
    if (!spawn(argv, pid)) return kNotStarted;
    return wait_for(pid);
}

int run_program_capture(const std::vector<std::string>& argv, std::string& output,
                        std::size_t max_output) {
    output.clear();
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) return kNotStarted;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    pid_t pid = 0;
    const bool started = spawn(argv, pid, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    if (started) read_all(pipe_ends[0], output, max_output);
    close(pipe_ends[0]);
    return started ? wait_for(pid) : kNotStarted;
}

namespace {

// Programs started without waiting (browser, PDF viewer). Each launch reaps
// those that have ended since, so none lingers as a zombie for long.
std::vector<pid_t>& launched_programs() {
    static std::vector<pid_t> pids;
    return pids;
}

void reap_ended_launches() {
    auto& pids = launched_programs();
    std::erase_if(pids, [](pid_t pid) {
        int status = 0;
        return waitpid(pid, &status, WNOHANG) != 0;
    });
}

} // namespace

bool launch_program(const std::vector<std::string>& argv) {
    reap_ended_launches();
    pid_t pid = 0;
    if (!spawn(argv, pid)) return false;
    launched_programs().push_back(pid);
    return true;
}

ChildProgram start_program(const std::vector<std::string>& argv) {
    reap_ended_launches();
    ChildProgram child;
    pid_t pid = 0;
    if (!spawn(argv, pid)) return child;
    child.handle_ = pid;
    child.started_ = true;
    return child;
}

std::optional<int> ChildProgram::poll() {
    if (status_) return status_;
    if (handle_ == 0) return kNotStarted;
    int status = 0;
    const pid_t ended = waitpid(static_cast<pid_t>(handle_), &status, WNOHANG);
    if (ended == 0 || (ended < 0 && errno == EINTR)) return std::nullopt;
    status_ = ended < 0 ? kNotStarted : exit_status(status);
    handle_ = 0;
    return status_;
}

namespace {

bool executable_file(const std::string& file) {
    struct stat info {};
    return stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(file.c_str(), X_OK) == 0;
}

} // namespace

bool program_found(const std::string& program) {
    if (program.empty()) return false;
    if (program.find('/') != std::string::npos) return executable_file(program);
    // posix_spawnp's own search: each PATH entry in turn, an empty one the working folder.
    const std::string path = get_env("PATH").value_or("/bin:/usr/bin");
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = std::min(path.find(':', begin), path.size());
        const std::string folder = path.substr(begin, end - begin);
        if (executable_file((folder.empty() ? "." : folder) + "/" + program)) return true;
        if (end == path.size()) return false;
        begin = end + 1;
    }
}

void ChildProgram::release() {
    // One still running is reaped with the launched programs once it ends.
    if (handle_ != 0) launched_programs().push_back(static_cast<pid_t>(handle_));
    handle_ = 0;
}

} // namespace kalveo
