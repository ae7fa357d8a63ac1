#include "config_fixture.h"

#include "config/records.h"
#include "config/settings.h"
#include "flight/records.h"
#include "platform/paths.h"
#include "report/log.h"

namespace kalveo::testing {

ConfigTest::ConfigTest()
    : cwd_(folder_.path()), lc_all_("LC_ALL", "en_GB.UTF-8"),
      dialogs_("KALVEO_DIALOGS", "script:" + (folder_.path() / "dialogs.txt").string()) {
    write_file(folder_ / "dialogs.txt", "");
    set_error_log_folder(folder_.path().string() + "/");
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

Settings ConfigTest::read_settings_file(std::string_view text) const {
    write("Settings\\Kalveo.ini", text);
    std::optional<Settings> settings = rd_ini();
    EXPECT_TRUE(settings.has_value());
    return settings.value_or(Settings{});
}

Settings ConfigTest::defaults_as_read() {
    return read_settings_text("", false).settings;
}

} // namespace kalveo::testing
