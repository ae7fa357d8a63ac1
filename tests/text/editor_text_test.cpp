#include "text/editor_text.h"

#include <gtest/gtest.h>
#include <string>

namespace kalveo {
namespace {

using namespace std::string_literals;

// "Unit=kmh", then "Name=Léa" on a second line, as different editors save it.
TEST(EditorText, EverySavedFormGivesTheSameText) {
    const std::string wanted = "Unit=kmh\r\nName=L\xC3\xA9"
                               "a\r\n";
    struct Case {
        const char* editor;
        std::string bytes;
        std::string text;
        const char* how; // part of the note, "" for none
    };
    const Case cases[] = {
        {"plain UTF-8", wanted, wanted, ""},
        {"Notepad UTF-8 with mark", "\xEF\xBB\xBF" + wanted, wanted, "byte-order mark"},
        {"Notepad Unicode (UTF-16 LE)",
         "\xFF\xFEU\0n\0i\0t\0=\0k\0m\0h\0\r\0\n\0N\0a\0m\0e\0=\0L\0\xE9\0a\0\r\0\n\0"s, wanted,
         "UTF-16 little-endian"},
        {"UTF-16 BE",
         "\xFE\xFF\0U\0n\0i\0t\0=\0k\0m\0h\0\r\0\n\0N\0a\0m\0e\0=\0L\0\xE9\0a\0\r\0\n"s, wanted,
         "UTF-16 big-endian"},
        {"UTF-16 LE without mark",
         "U\0n\0i\0t\0=\0k\0m\0h\0\r\0\n\0N\0a\0m\0e\0=\0L\0\xE9\0a\0\r\0\n\0"s, wanted,
         "without byte-order mark"},
        {"ANSI (Latin-1)",
         "Unit=kmh\r\nName=L\xE9"
         "a\r\n",
         wanted, "Windows-1252"},
        {"old Mac CR only",
         "Unit=kmh\rName=L\xC3\xA9"
         "a\r",
         "Unit=kmh\nName=L\xC3\xA9"
         "a\n",
         "CR line ends"},
        {"Latin-1 and CR only",
         "Unit=kmh\rName=L\xE9"
         "a\r",
         "Unit=kmh\nName=L\xC3\xA9"
         "a\n",
         "CR line ends"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editor);
        const EditorText t = editor_text(c.bytes);
        EXPECT_EQ(t.text, c.text);
        if (*c.how == '\0')
            EXPECT_EQ(t.how, "");
        else
            EXPECT_NE(t.how.find(c.how), std::string::npos) << t.how;
    }
}

TEST(EditorText, DamagedFilesGiveValidUtf8AndSayWhat) {
    // A euro sign in Windows-1252, an unpaired surrogate, an odd last byte of UTF-16.
    EXPECT_EQ(editor_text("Price=\x80").text, "Price=\xE2\x82\xAC");
    const EditorText lone = editor_text("\xFF\xFE"
                                        "A\0\x00\xD8"
                                        "B\0!"s);
    EXPECT_EQ(lone.text, "A\xEF\xBF\xBD"
                         "B");
    EXPECT_NE(lone.how.find("odd last byte"), std::string::npos);
    // A surrogate pair is one character; a cut UTF-8 sequence is not UTF-8.
    EXPECT_EQ(editor_text("\xFF\xFE\x3D\xD8\x00\xDE"s).text, "\xF0\x9F\x98\x80");
    EXPECT_EQ(editor_text("Name=L\xC3").text, "Name=L\xC3\x83");
    // Overlong forms and encoded surrogates are not UTF-8 either.
    EXPECT_EQ(editor_text("\xC0\xAF").how, "not UTF-8, read as Windows-1252 (Latin-1)");
    EXPECT_EQ(editor_text("\xED\xA0\x80").how, "not UTF-8, read as Windows-1252 (Latin-1)");
    EXPECT_EQ(editor_text("").text, "");
}

} // namespace
} // namespace kalveo
