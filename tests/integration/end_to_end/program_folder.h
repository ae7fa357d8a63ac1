// A program folder of its own for one end-to-end run: kalveo with its data folders, a sample
// simulator installation as its Wine prefix, a free UDP port in both settings, the answers of
// the scripted dialogs, and where the captured audio goes.
#pragma once

#include "program_run.h"
#include "sample_install/sample_install.h"
#include "support/test_files.h"

#include <map>
#include <memory>
#include <string>

namespace kalveo::testing {

class ProgramFolder {
  public:
    explicit ProgramFolder(const SampleInstallOptions& sample = {});

    /// True when the program and the sample installation are in place.
    [[nodiscard]] bool ready() const { return ready_; }
    [[nodiscard]] std::string problem() const { return problem_; }

    [[nodiscard]] std::filesystem::path program_dir() const { return dir_ / "Kalveo"; }
    [[nodiscard]] std::filesystem::path settings_file() const;
    [[nodiscard]] std::filesystem::path run_log() const;
    [[nodiscard]] std::filesystem::path stdout_log() const;
    /// What the program wrote before it sent its output to StdOut.log.
    [[nodiscard]] std::filesystem::path early_output() const { return dir_ / "output.txt"; }
    [[nodiscard]] std::filesystem::path audio() const { return dir_ / "audio.raw"; }
    [[nodiscard]] const SampleInstall& sample() const { return sample_; }
    [[nodiscard]] int port() const { return port_; }

    /// Replaces the value of a settings line ("Port", "Hor. position", ...).
    void set_setting(const std::string& key, const std::string& value);
    /// The answers the scripted dialogs give, one a line, in order.
    void answers(const std::string& lines);
    /// What the simulator's log says (version 3).
    void simulator_log(SampleLogState state);

    /// The environment of a run: the X display (empty: none), disk audio, scripted dialogs,
    /// the sample's prefix, a PDF viewer that does nothing, the "C" language.
    [[nodiscard]] std::map<std::string, std::string> environment(const std::string& display) const;

    /// Starts kalveo from its folder with `args`.
    std::unique_ptr<ProgramRun> start(const std::vector<std::string>& args,
                                      const std::string& display);

  private:
    TempDir dir_;
    SampleInstall sample_;
    int port_ = 0;
    bool ready_ = false;
    std::string problem_;
};

/// A UDP port nobody listens on now.
[[nodiscard]] int free_udp_port();

} // namespace kalveo::testing
