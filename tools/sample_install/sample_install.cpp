#include "sample_install/sample_install.h"

#include "platform/win_env.h"
#include "sample_install/plane_files.h"

#include <fstream>
#include <system_error>

namespace kalveo {
namespace {

class Writer {
  public:
    explicit Writer(SampleInstall& result) : result_(result) {}

    void file(const std::filesystem::path& path, const std::string& bytes) {
        if (!result_.error.empty()) return;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) result_.error = "cannot write " + path.string();
    }

    void planes(const std::filesystem::path& folder, PlaneLayout layout) {
        for (const auto& name : sample_plane_names())
            if (result_.error.empty() && !write_sample_plane(folder, name, layout))
                result_.error = "cannot write the plane files of " + name;
    }

  private:
    SampleInstall& result_;
};

// Wine links each drive letter under dosdevices; C: is the prefix's drive_c.
void link_drive_c(const std::filesystem::path& prefix) {
    std::error_code ec;
    std::filesystem::create_directories(prefix / "dosdevices", ec);
    const auto link = prefix / "dosdevices" / "c:";
    if (!std::filesystem::exists(std::filesystem::symlink_status(link, ec)))
        std::filesystem::create_directory_symlink("../drive_c", link, ec);
}

SampleVersion install_version(Writer& write, const std::filesystem::path& prefix,
                              const SampleInstallOptions& o, const std::string& login,
                              int version) {
    const bool v3 = version == 3;
    SampleVersion where;
    where.install_dir = v3 ? "C:\\Condor3" : "C:\\Condor2";
    where.pilot_dir = "C:\\users\\" + login + "\\Documents\\" + (v3 ? "Condor3" : "Condor") +
                      "\\Pilots\\" + o.pilot;
    where.install = sample_host_path(prefix, where.install_dir);
    where.pilot = sample_host_path(prefix, where.pilot_dir);

    write.file(where.install / "Condor.exe", std::string("MZ\x90\0sample", 10));
    write.file(where.install / "Logs" / "Logfile.txt",
               log_file_text(v3 ? 3013 : 2150, o.log_state));
    write.file(where.install / "Settings" / "UDP.ini", udp_ini_text(o.udp));
    write.planes(where.install / "Planes", v3 ? PlaneLayout::condor3 : PlaneLayout::condor2);

    if (o.flight_plan) {
        SampleFlightPlan plan = default_flight_plan(version);
        if (!o.glider.empty()) plan.glider = o.glider;
        write.file(where.pilot / "Flightplan.fpl", flight_plan_text(plan));
    }
    write.file(where.pilot / "controls.ini", controls_ini_text(version, o.keys));
    write.file(where.pilot / "Setup.ini", setup_ini_text(o.units, o.altimeter_setting, 3));
    return where;
}

} // namespace

std::filesystem::path sample_host_path(const std::filesystem::path& prefix,
                                       const std::string& windows_path) {
    std::string rest =
        windows_path.size() >= 2 && windows_path[1] == ':' ? windows_path.substr(2) : windows_path;
    for (char& c : rest)
        if (c == '\\') c = '/';
    while (!rest.empty() && rest.front() == '/')
        rest.erase(rest.begin());
    return prefix / "drive_c" / rest;
}

SampleInstall build_sample_installation(const std::filesystem::path& folder,
                                        const SampleInstallOptions& options) {
    SampleInstall result;
    result.prefix = std::filesystem::absolute(folder);
    result.login = options.login.empty() ? wine_login_name() : options.login;
    if (result.login.empty()) result.login = "pilot";
    Writer write(result);

    SampleRegistry reg;
    if (options.condor3) {
        result.condor3 = install_version(write, result.prefix, options, result.login, 3);
        reg.install_dir3 = result.condor3.install_dir;
        reg.last_player3 = options.pilot;
    }
    if (options.condor2) {
        result.condor2 = install_version(write, result.prefix, options, result.login, 2);
        reg.install_dir2 = result.condor2.install_dir;
        reg.last_player2 = options.pilot;
    }
    write.file(result.prefix / "user.reg", user_reg_text(reg));
    link_drive_c(result.prefix);
    result.ok = result.error.empty();
    return result;
}

} // namespace kalveo
