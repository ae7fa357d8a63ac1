// Settings and language files as pilots' editors leave them: every saved form reads the
// same, and what cannot be read is logged with its line.
#include "config/language.h"
#include "config/records.h"
#include "config/settings.h"
#include "config_fixture.h"
#include "flight/records.h"
#include "support/editor_files.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

class EditorFiles : public testing::ConfigTest {};

TEST_F(EditorFiles, EverySavedFormOfTheSettingsReadsTheSame) {
    // The first key first, so that a byte-order mark in front of it would hide it.
    const std::string text = "Port=4000\n# r\xC3\xA9glages\nText editor=C:\\\xC3\x89"
                             "diteur\\"
                             "e.exe\nFont size=30\n";
    for (const auto& file : testing::editor_files(text)) {
        SCOPED_TRACE(file.editor);
        const SettingsRead read = read_settings_text(file.bytes, false);
        EXPECT_EQ(read.settings.link.port, 4000);
        EXPECT_EQ(read.settings.program.text_editor, "C:\\\xC3\x89"
                                                     "diteur\\e.exe");
        EXPECT_EQ(read.settings.display.font_size, 30);
        EXPECT_EQ(read.counts.lines, 4);
        EXPECT_EQ(log_text().find("not understood"), std::string::npos) << log_text();
    }
}

TEST_F(EditorFiles, ASettingsFileCutOffInALineLogsThatLine) {
    const Settings settings = read_settings_file("Port=4000\r\nFont si");
    EXPECT_EQ(settings.link.port, 4000);
    EXPECT_EQ(settings.display.font_size, 24);
    EXPECT_NE(log_text().find("Settings line 2 not understood : Font si"), std::string::npos)
        << log_text();
    // A mistyped key is logged the same way, and changes nothing.
    EXPECT_EQ(read_settings_file("Prot=4001\n").link.port, 55278);
    EXPECT_NE(log_text().find("Settings line 1 not understood : Prot=4001"), std::string::npos);
}

TEST_F(EditorFiles, EverySavedFormOfALanguageFileReadsTheSame) {
    std::string text;
    for (int n = 1; n <= kMessageCount; ++n)
        text += std::string(message_key(n)) + "=\"D\xC3\xA9j\xC3\xA0 " + std::to_string(n) + "\"\n";
    for (const auto& file : testing::editor_files(text)) {
        SCOPED_TRACE(file.editor);
        write("Lang\\Kalveo_Lang_List.txt", "\xEF\xBB\xBF"
                                            "FR\nEN\n");
        write("Lang\\Kalveo_Lang_FR.txt", file.bytes);
        write("Lang\\Kalveo_Lang_EN.txt", "");
        CaptureStdout();
        const LanguageTexts language = rd_lang("FR");
        const std::string shown = GetCapturedStdout();
        EXPECT_EQ(shown.find("[dialog]"), std::string::npos) << shown;
        EXPECT_EQ(language.texts.msgnewinst, "D\xC3\xA9j\xC3\xA0 1");
        EXPECT_EQ(language.texts.msgnewprog, "D\xC3\xA9j\xC3\xA0 30");
    }
}

TEST_F(EditorFiles, ALanguageLineThatSetsNothingIsLogged) {
    MessageMarks marks{};
    MessagesRecord texts;
    EXPECT_EQ(parse_language_text(texts,
                                  "\n# c\n" + std::string(message_key(1)) + "=a\nMSGNOPE=b\n" +
                                      std::string(message_key(2)) + "=\nMSGC",
                                  marks),
              1);
    const std::string log = log_text();
    EXPECT_NE(log.find("Language file line 4 not understood : MSGNOPE=b"), std::string::npos)
        << log;
    EXPECT_NE(log.find("line 5 not understood"), std::string::npos) << log;
    EXPECT_NE(log.find("line 6 not understood : MSGC"), std::string::npos) << log;
    EXPECT_EQ(log.find("line 2 "), std::string::npos) << log;
}

} // namespace
} // namespace kalveo
