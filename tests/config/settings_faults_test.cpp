// The settings rewrite and the position save failing at each of their steps, as a full disk
// or a read-only folder makes them fail: the pilot's file stays whole (old or new, never
// a part), its backup is in place, and the log says why.
#include "config/line_reader.h"
#include "config/settings.h"
#include "config/settings_writer.h"
#include "config_fixture.h"
#include "platform/file_replace.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

constexpr ReplaceStep kSteps[] = {ReplaceStep::backup, ReplaceStep::open, ReplaceStep::write,
                                  ReplaceStep::close,  ReplaceStep::sync, ReplaceStep::rename};
constexpr int kErrors[] = {ENOSPC, EROFS, EACCES};

class SettingsFaults : public testing::ConfigTest {
  protected:
    ~SettingsFaults() override { set_replace_fault({}); }

    void fail_at(ReplaceStep failing, int error) {
        set_replace_fault(
            [failing, error](ReplaceStep step) { return step == failing ? error : 0; });
    }

    // Temporary files left in the settings folder.
    int leftovers() const {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder_ / "Settings"))
            count += entry.path().extension() == ".tmp";
        return count;
    }

    static constexpr const char* kOld = "Font size=30\r\nHor. position=R\r\nPort=4000\r\n";
};

TEST_F(SettingsFaults, ARewriteThatFailsAtAnyStepLeavesTheOldFileWhole) {
    for (const ReplaceStep step : kSteps) {
        for (const int error : kErrors) {
            SCOPED_TRACE(static_cast<int>(step));
            SCOPED_TRACE(error);
            std::filesystem::remove_all(folder_ / "Settings");
            std::filesystem::remove(folder_ / "Logfile.txt");
            write("Settings\\Kalveo_default.ini", "# template\nFont size=24\nPort=1\nUnit=kmh\n");
            const Settings settings = read_settings_file(kOld);
            fail_at(step, error);
            EXPECT_NE(rewrite_ini(settings, 3301), 0);
            EXPECT_EQ(read("Settings\\Kalveo.ini"), kOld);
            EXPECT_EQ(leftovers(), 0);
            // The numbered copy is made before anything is written.
            EXPECT_EQ(exists("Settings\\Kalveo_00000.ini"), step != ReplaceStep::backup);
            if (step != ReplaceStep::backup) {
                EXPECT_EQ(read("Settings\\Kalveo_00000.ini"), kOld);
                EXPECT_NE(log_text().find("Settings\\Kalveo.ini could not be written : " +
                                          std::string(std::strerror(error))),
                          std::string::npos)
                    << log_text();
            } else {
                EXPECT_NE(log_text().find("no numbered copy could be made"), std::string::npos);
            }
        }
    }
    set_replace_fault({});
    EXPECT_EQ(rewrite_ini(read_settings_text(kOld, false).settings, 3301), 0);
    const std::string now = read("Settings\\Kalveo.ini");
    EXPECT_EQ(now.rfind("# template", 0), 0u) << now;
    EXPECT_NE(now.find("Font size=30"), std::string::npos);
    EXPECT_NE(now.find("Unit=kmh"), std::string::npos);
    EXPECT_EQ(read("Settings\\Kalveo_00001.ini"), kOld);
}

TEST_F(SettingsFaults, APositionSaveThatFailsAtAnyStepLeavesTheOldFileWhole) {
    for (const ReplaceStep step : kSteps) {
        for (const int error : kErrors) {
            SCOPED_TRACE(static_cast<int>(step));
            SCOPED_TRACE(error);
            std::filesystem::remove_all(folder_ / "Settings");
            std::filesystem::remove(folder_ / "Logfile.txt");
            write("Settings\\Kalveo.ini", kOld);
            fail_at(step, error);
            write_ini(0, 11, 12, 13, 14);
            EXPECT_EQ(read("Settings\\Kalveo.ini"), kOld);
            EXPECT_EQ(leftovers(), 0);
            EXPECT_EQ(exists("Settings\\Kalveo.ini.bak"), step != ReplaceStep::backup);
            EXPECT_NE(log_text().find("Window positions not saved"), std::string::npos);
        }
    }
    set_replace_fault({});
    write_ini(0, 11, 12, 13, 14);
    EXPECT_EQ(read("Settings\\Kalveo.ini"), "Font size=30\r\nHor. position=11\r\nPort=4000\r\n");
    EXPECT_EQ(read("Settings\\Kalveo.ini.bak"), kOld);
}

} // namespace
} // namespace kalveo
