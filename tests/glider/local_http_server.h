// A local web server for the update tests: python3's http.server serving a
// folder on 127.0.0.1 only, on a free port, stopped when the object dies.
#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace kalveo::testing {

class LocalHttpServer {
  public:
    explicit LocalHttpServer(const std::filesystem::path& root);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    /// True once the server accepts connections.
    [[nodiscard]] bool running() const { return running_; }
    /// "http://127.0.0.1:<port>"
    [[nodiscard]] std::string url() const;

  private:
    pid_t pid_ = -1;
    int port_ = 0;
    bool running_ = false;
};

/// A TCP port on 127.0.0.1 that nothing listens on right now.
[[nodiscard]] int free_local_port();

} // namespace kalveo::testing
