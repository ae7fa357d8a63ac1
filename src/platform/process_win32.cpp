#include "platform/process.h"

#include <algorithm>
#include <windows.h>

namespace kalveo {

namespace {

// One argument as the C runtime's command-line parser (CommandLineToArgvW) takes it back
// whole: quoted when it holds a blank or a quote or is empty, backslashes doubled only
// where they precede a quote.
void append_quoted(std::string& line, const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) {
        line += arg;
        return;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') backslashes = backslashes * 2 + 1;
        line.append(backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, '\\');
    line += '"';
}

std::string command_line(const std::vector<std::string>& argv) {
    std::string line;
    for (const std::string& arg : argv) {
        if (!line.empty()) line += ' ';
        append_quoted(line, arg);
    }
    return line;
}

// Starts the program (CreateProcess looks argv[0] up on the PATH and adds ".exe").
// `output` non-null: the child's standard output goes to it, the rest is inherited.
bool start(const std::vector<std::string>& argv, PROCESS_INFORMATION& process,
           HANDLE output = nullptr) {
    if (argv.empty() || argv[0].empty()) return false;
    std::string line = command_line(argv);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, output != nullptr ? TRUE : FALSE,
                          0, nullptr, nullptr, &startup, &process) != 0;
}

int wait_for(PROCESS_INFORMATION& process) {
    CloseHandle(process.hThread);
    DWORD status = 0;
    const bool ended = WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process.hProcess, &status) != 0;
    CloseHandle(process.hProcess);
    return ended ? static_cast<int>(status) : kNotStarted;
}

} // namespace

int run_program(const std::vector<std::string>& argv) {
    PROCESS_INFORMATION process{};
    if (!start(argv, process)) return kNotStarted;
    return wait_for(process);
}

int run_program_capture(const std::vector<std::string>& argv, std::string& output,
                        std::size_t max_output) {
    output.clear();
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE read_end = nullptr;
    HANDLE write_end = nullptr;
    if (CreatePipe(&read_end, &write_end, &inheritable, 0) == 0) return kNotStarted;
    // Only the write end goes to the child; were the read end inherited too, the pipe
    // would never report its end.
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION process{};
    const bool started = start(argv, process, write_end);
    CloseHandle(write_end);
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) != 0 && got > 0) {
            const std::size_t room = max_output - std::min(max_output, output.size());
            output.append(buffer, std::min<std::size_t>(room, got));
        }
    }
    CloseHandle(read_end);
    return started ? wait_for(process) : kNotStarted;
}

bool launch_program(const std::vector<std::string>& argv) {
    PROCESS_INFORMATION process{};
    if (!start(argv, process)) return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

ChildProgram start_program(const std::vector<std::string>& argv) {
    ChildProgram child;
    PROCESS_INFORMATION process{};
    if (!start(argv, process)) return child;
    CloseHandle(process.hThread);
    child.handle_ = reinterpret_cast<std::intptr_t>(process.hProcess);
    child.started_ = true;
    return child;
}

std::optional<int> ChildProgram::poll() {
    if (status_) return status_;
    if (handle_ == 0) return kNotStarted;
    const HANDLE process = reinterpret_cast<HANDLE>(handle_);
    const DWORD waited = WaitForSingleObject(process, 0);
    if (waited == WAIT_TIMEOUT) return std::nullopt;
    DWORD code = 0;
    const bool ended = waited == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code) != 0;
    status_ = ended ? static_cast<int>(code) : kNotStarted;
    release();
    return status_;
}

bool program_found(const std::string& program) {
    if (program.empty()) return false;
    // Much as CreateProcess looks a program up: the given path, else the program's folder,
    // the working folder, the system folders and the PATH, ".exe" added when none is given.
    char found[MAX_PATH];
    const DWORD length = SearchPathA(nullptr, program.c_str(), ".exe", MAX_PATH, found, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;
    const DWORD attributes = GetFileAttributesA(found);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void ChildProgram::release() {
    if (handle_ != 0) CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = 0;
}

} // namespace kalveo
