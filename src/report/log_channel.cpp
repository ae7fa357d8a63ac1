#include "report/log_channel.h"

#include "platform/files.h"
#include "platform/paths.h"

#include <cerrno>

namespace kalveo::detail {

namespace {

int failed_status() {
    return errno != 0 ? errno : EIO;
}

// An empty view may hold no buffer at all, which fwrite must not see.
bool write_bytes(std::string_view bytes, std::FILE* file) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

} // namespace

LogState& log_state() {
    static LogState state;
    return state;
}

LogChannel& log_channel() {
    return log_state().log;
}
LogChannel& error_log_channel() {
    return log_state().error_log;
}

LogChannel* channel_by_number(int number) {
    LogState& state = log_state();
    if (number == state.log.number) return &state.log;
    if (number == state.error_log.number) return &state.error_log;
    return nullptr;
}

const std::string& log_file_name() {
    return log_state().log_file_name;
}
void set_log_file_name(std::string name) {
    log_state().log_file_name = std::move(name);
}

bool open_channel(LogChannel& channel, const std::filesystem::path& file) {
    close_channel(channel);
    errno = 0;
    channel.file = open_file(file, "a");
    channel.open_status = channel.file != nullptr ? 0 : failed_status();
    return channel.file != nullptr;
}

void close_channel(LogChannel& channel) {
    if (channel.file == nullptr) return;
    std::fclose(channel.file);
    channel.file = nullptr;
}

int write_channel_line(LogChannel& channel, std::string_view line) {
    if (channel.file == nullptr) return channel.open_status != 0 ? channel.open_status : EBADF;
    errno = 0;
    const bool written = write_bytes(line, channel.file) && std::fputc('\n', channel.file) != EOF;
    return written ? 0 : failed_status();
}

ChannelSession::ChannelSession(LogChannel& channel, const std::filesystem::path& file)
    : channel_(channel) {
    if (channel_.file != nullptr) return;
    opened_here_ = open_channel(channel_, file);
}

ChannelSession::~ChannelSession() {
    if (channel_.file != nullptr) std::fflush(channel_.file);
    if (opened_here_) close_channel(channel_);
}

void console_line(std::string_view line) {
    write_bytes(line, stdout);
    std::fputc('\n', stdout);
}

void console_echo(int channel, int status, std::string_view line) {
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%4d%4d ", channel, status);
    std::fputs(numbers, stdout);
    console_line(line);
}

void flush_console() {
    std::fflush(stdout);
}

std::string_view trim_right(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

std::string_view trim_blanks(std::string_view text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    return trim_right(text.substr(begin));
}

} // namespace kalveo::detail
