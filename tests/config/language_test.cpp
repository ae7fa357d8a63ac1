#include "config/language.h"
#include "config/records.h"
#include "config_fixture.h"
#include "flight/records.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::env_folder;
using testing::read_file;
using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

// A language file that sets every message to "<code> <number>".
std::string complete_file(std::string_view code) {
    std::string text = "# messages\n";
    for (int n = 1; n <= kMessageCount; ++n)
        text +=
            std::string(message_key(n)) + "=" + std::string(code) + " " + std::to_string(n) + "\n";
    return text;
}

class Language : public testing::ConfigTest {
  protected:
    Language() {
        write("Lang\\Kalveo_Lang_List.txt", "# codes\nEN\nFR\n");
        write("Lang\\Kalveo_Lang_EN.txt", complete_file("EN"));
        write("Lang\\Kalveo_Lang_FR.txt", complete_file("FR"));
    }

    // Reads the language of the code and returns the boxes shown.
    std::string read_language(std::string_view lang) {
        CaptureStdout();
        language_ = rd_lang(lang);
        return GetCapturedStdout();
    }

    LanguageTexts language_;

    static int boxes(const std::string& shown) {
        int count = 0;
        for (std::size_t at = shown.find("[dialog]"); at != std::string::npos;
             at = shown.find("[dialog]", at + 1))
            ++count;
        return count;
    }
};

TEST_F(Language, AListedLanguageWithItsFileFillsEveryMessage) {
    const std::string shown = read_language("FR");
    EXPECT_EQ(boxes(shown), 0) << shown;
    EXPECT_EQ(language_.texts.msgnewinst, "FR 1");
    EXPECT_EQ(language_.texts.msgeditend, "FR 6");
    EXPECT_EQ(language_.texts.msgnewprog, "FR 30");
    EXPECT_EQ(language_.code, "FR");
}

TEST_F(Language, NoCodeMeansEnglishWithoutAWarning) {
    const std::string shown = read_language("");
    EXPECT_EQ(boxes(shown), 0) << shown;
    EXPECT_EQ(language_.texts.msgexitcnf, "EN 17");
}

TEST_F(Language, AnUnlistedCodeFallsBackToEnglish) {
    write("Lang\\Kalveo_Lang_DE.txt", complete_file("DE"));
    const std::string shown = read_language("DE");
    EXPECT_EQ(boxes(shown), 1) << shown;
    EXPECT_NE(shown.find("warning title=\"Kalveo\" text=\"Language: DE not found in list\\nEnglish "
                         "will be used\""),
              std::string::npos)
        << shown;
    EXPECT_EQ(language_.texts.msgexitcnf, "EN 17");
}

TEST_F(Language, CodesAreComparedExactly) {
    const std::string shown = read_language("fr");
    EXPECT_NE(shown.find("Language: fr not found in list"), std::string::npos) << shown;
    EXPECT_EQ(language_.texts.msgexitcnf, "EN 17");
}

TEST_F(Language, ACommentedCodeIsNotListed) {
    write("Lang\\Kalveo_Lang_List.txt", "#FR\r\nEN\r\n");
    EXPECT_NE(read_language("FR").find("not found in list"), std::string::npos);
}

TEST_F(Language, AMissingListMeansEnglish) {
    std::filesystem::remove(folder_ / "Lang/Kalveo_Lang_List.txt");
    const std::string shown = read_language("FR");
    EXPECT_NE(shown.find("Lang\\Kalveo_Lang_List.txt\\n File not found"), std::string::npos)
        << shown;
    EXPECT_EQ(language_.texts.msgexitcnf, "EN 17");
}

TEST_F(Language, AListedCodeWithoutItsFileFallsBackToEnglishWithOneWarning) {
    std::filesystem::remove(folder_ / "Lang/Kalveo_Lang_FR.txt");
    const std::string shown = read_language("FR");
    EXPECT_EQ(boxes(shown), 1) << shown;
    EXPECT_NE(shown.find("Lang\\Kalveo_Lang_FR.txt\\nFile not found\\nEnglish will be used"),
              std::string::npos)
        << shown;
    EXPECT_EQ(language_.code, "EN");
    EXPECT_EQ(language_.texts.msgexitcnf, "EN 17");
}

TEST_F(Language, WithoutEnglishTheProgramStops) {
    std::filesystem::remove(folder_ / "Lang/Kalveo_Lang_EN.txt");
    std::filesystem::remove(folder_ / "Lang/Kalveo_Lang_FR.txt");
    EXPECT_EXIT((void)rd_lang("FR"), ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT((void)rd_lang("EN"), ::testing::ExitedWithCode(1), "");
}

TEST_F(Language, AMissingOrBlankMessageIsReportedAndKeepsItsPlaceholder) {
    std::string text = complete_file("EN");
    text.replace(text.find("MsgEditEnd=EN 6"), 15, "MsgEditEnd=   ");
    write("Lang\\Kalveo_Lang_EN.txt", text);
    const std::string shown = read_language("EN");
    EXPECT_NE(shown.find("error title=\"Kalveo\" text=\"Lang\\Kalveo_Lang_EN.txt\\nTruncated\""),
              std::string::npos)
        << shown;
    EXPECT_EQ(language_.texts.msgeditend, kMessageNotInitialized);
    EXPECT_EQ(language_.texts.msgexitcnf, "EN 17");
    EXPECT_NE(log_text().find("Message: 6 Not read in file"), std::string::npos);
}

TEST_F(Language, AKeyGivenTwiceDoesNotStandInForAMissingOne) {
    std::string text = complete_file("EN");
    text.replace(text.find("MsgEditEnd=EN 6"), 15, "MsgExitCnf=again");
    write("Lang\\Kalveo_Lang_EN.txt", text);
    const std::string shown = read_language("EN");
    EXPECT_NE(shown.find("Truncated"), std::string::npos) << shown;
    EXPECT_EQ(language_.texts.msgexitcnf, "EN 17");
}

TEST_F(Language, QuotesAreRemovedAndSlashesStartNewLines) {
    MessageMarks items{};
    int nread = parse_language_text(language_.texts,
                                    "MsgExitCnf=\"  Really quit?/Sure?\"  \n"
                                    "MsgCndrStp=\"unbalanced\n"
                                    "MsgKeyDefi=say \"hi\" here\n"
                                    "#MsgNewInst=commented\n"
                                    "MsgNewInstant=cut key\n"
                                    "Unknown=ignored\n"
                                    "MsgFileUpd:colon separated\n",
                                    items);
    EXPECT_EQ(nread, 5);
    EXPECT_EQ(language_.texts.msgexitcnf, "  Really quit?\nSure?");
    EXPECT_EQ(language_.texts.msgcndrstp, "unbalanced");
    EXPECT_EQ(language_.texts.msgkeydefi, "say \"hi\" here");
    EXPECT_EQ(language_.texts.msgnewinst, "cut key");
    EXPECT_EQ(language_.texts.msgfileupd, "colon separated");
    EXPECT_EQ(items[17], 1);
    EXPECT_EQ(items[2], 0);
}

TEST_F(Language, TextsAreCutTo240CharactersWithoutSplittingALetter) {
    EXPECT_EQ(message_from_value(std::string(300, 'a')).size(), 240u);
    const std::string accents = std::string(239, 'a') + "\xC3\xA9\xC3\xA9";
    EXPECT_EQ(message_from_value(accents), std::string(239, 'a'));
}

TEST_F(Language, UnknownKeysChangeNothing) {
    MessageMarks items{};
    int nread = 0;
    my_namelist_messages(language_.texts, "MsgNothing", "x", nread, items);
    my_namelist_messages(language_.texts, "msgexitcnf", "x", nread, items);
    EXPECT_EQ(nread, 0);
    EXPECT_EQ(language_.texts.msgexitcnf, kMessageNotInitialized);
}

TEST_F(Language, FrenchDesktopIsRecognised) {
    {
        testing::ScopedEnv french("LC_ALL", "fr_CA.UTF-8");
        EXPECT_TRUE(IsLanguageFrench());
    }
    EXPECT_FALSE(IsLanguageFrench());
    testing::ScopedEnv no_all("LC_ALL", std::nullopt);
    testing::ScopedEnv messages_fr("LC_MESSAGES", "fr_BE");
    testing::ScopedEnv lang_de("LANG", "de_DE.UTF-8");
    EXPECT_TRUE(IsLanguageFrench());
    testing::ScopedEnv neutral("LC_MESSAGES", "C");
    EXPECT_FALSE(IsLanguageFrench());
}

TEST_F(Language, ShippedLanguagesAreListedAndComplete) {
    const auto lang = env_folder("KALVEO_DATA_DIR") / "Lang";
    const std::string list = read_file(lang / "Kalveo_Lang_List.txt");
    for (const char* code : {"EN", "FR", "DE"}) {
        EXPECT_TRUE(language_listed(list, code)) << code;
        MessagesRecord texts;
        MessageMarks items{};
        const std::string file = read_file(lang / ("Kalveo_Lang_" + std::string(code) + ".txt"));
        EXPECT_EQ(parse_language_text(texts, file, items), kMessageCount) << code;
        for (int n = 1; n <= kMessageCount; ++n) {
            EXPECT_EQ(items[n], 1) << code << " " << message_key(n);
            const std::string& text = message_text(texts, n);
            EXPECT_NE(text, kMessageNotInitialized) << code << " " << message_key(n);
            EXPECT_FALSE(text.empty()) << code << " " << message_key(n);
            // Stored whole, never cut.
            EXPECT_LT(text.size(), kMessageLength) << code << " " << message_key(n);
        }
    }
}

} // namespace
} // namespace kalveo
