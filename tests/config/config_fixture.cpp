#include "config_fixture.h"

#include "config/settings.h"
#include "platform/paths.h"
#include "report/records.h"

namespace kalveo::testing {

ConfigTest::ConfigTest()
    : cwd_(folder_.path()), lc_all_("LC_ALL", "en_GB.UTF-8"),
      dialogs_("KALVEO_DIALOGS", "script:" + (folder_.path() / "dialogs.txt").string()) {
    write_file(folder_ / "dialogs.txt", "");
    reset_settings_records();
    cmndta000.app_path = folder_.path().string() + "/";
}

void ConfigTest::write(std::string_view name, std::string_view bytes) const {
    write_file(folder_.path() / native_path(name), bytes);
}

std::string ConfigTest::read(std::string_view name) const {
    return read_file(folder_.path() / native_path(name));
}

bool ConfigTest::exists(std::string_view name) const {
    return std::filesystem::exists(folder_.path() / native_path(name));
}

void ConfigTest::answer_dialogs(std::string_view answers) const {
    write_file(folder_ / "dialogs.txt", answers);
}

std::string ConfigTest::log_text() const {
    return read_text(folder_ / "Logfile.txt");
}

SettingsSnapshot ConfigTest::defaults_as_read() {
    reset_settings_records();
    apply_settings_after_reading(SettingsReadState{});
    auto snapshot = take_settings_snapshot();
    reset_settings_records();
    return snapshot;
}

} // namespace kalveo::testing
