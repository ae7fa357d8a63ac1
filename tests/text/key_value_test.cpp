#include "text/key_value.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(ExtractKeyVal, SplitsAtTheFirstEqualsSign) {
    const KeyValue kv = extract_key_val("Time:Start=12:30");
    EXPECT_EQ(kv.key, "Time:Start");
    EXPECT_EQ(kv.val, "12:30");

    const KeyValue more = extract_key_val("Expr=a=b");
    EXPECT_EQ(more.key, "Expr");
    EXPECT_EQ(more.val, "a=b");
}

TEST(ExtractKeyVal, FallsBackToTheColonOnlyWithoutEqualsSign) {
    const KeyValue kv = extract_key_val("Unit:kts");
    EXPECT_EQ(kv.key, "Unit");
    EXPECT_EQ(kv.val, "kts");
}

TEST(ExtractKeyVal, LineWithoutSeparatorIsAllKey) {
    const KeyValue kv = extract_key_val("  [General]  ");
    EXPECT_EQ(kv.key, "  [General]");
    EXPECT_EQ(kv.val, "");
}

TEST(ExtractKeyVal, LeftAdjustsBothSidesAndDropsTrailingBlanks) {
    const KeyValue kv = extract_key_val("   Margin VNE  =   12.5 km/h   ");
    EXPECT_EQ(kv.key, "Margin VNE");
    EXPECT_EQ(kv.val, "12.5 km/h");
    EXPECT_EQ(extract_key_val("Key =   ").val, "");
    EXPECT_EQ(extract_key_val("=value").key, "");
}

TEST(ExtractKeyVal, CrLfLineEndsDoNotReachTheValue) {
    const KeyValue kv = extract_key_val("Condor version=3100\r\n");
    EXPECT_EQ(kv.key, "Condor version");
    EXPECT_EQ(kv.val, "3100");
}

TEST(ExtractKeyVal, KeysAndValuesAreCutToTheirLengths) {
    const std::string long_key(100, 'k');
    const std::string long_val(100, 'v');
    const KeyValue kv = extract_key_val(long_key + "=" + long_val);
    EXPECT_EQ(kv.key, std::string(80, 'k'));
    EXPECT_EQ(kv.val, std::string(80, 'v'));

    const KeyValue short_cut = extract_key_val("LanguageCode=Hello world", 10, 5);
    EXPECT_EQ(short_cut.key, "LanguageCo");
    EXPECT_EQ(short_cut.val, "Hello");
    // The cut is made after left-adjusting, and what the cut leaves is trimmed.
    EXPECT_EQ(extract_key_val("k=   ab cd", 80, 3).val, "ab");
}

TEST(ExtractList, TakesItemsOffOneAfterAnother) {
    std::string text = "LS8, ASW28";
    EXPECT_EQ(extract_comma(text), "LS8");
    EXPECT_EQ(text, " ASW28");
    EXPECT_EQ(extract_comma(text), "ASW28");
    EXPECT_EQ(text, "");
    EXPECT_EQ(extract_comma(text), "");
    EXPECT_EQ(text, "");
}

TEST(ExtractList, EmptyItemsBetweenSeparatorsAreEmpty) {
    std::string text = "1,,3";
    EXPECT_EQ(extract_comma(text), "1");
    EXPECT_EQ(extract_comma(text), "");
    EXPECT_EQ(extract_comma(text), "3");
    EXPECT_TRUE(text.empty());
}

TEST(ExtractList, BlankTextGivesBlankItemAndText) {
    std::string text = "    ";
    EXPECT_EQ(extract_list(text, ';'), "");
    EXPECT_EQ(text, "");
}

TEST(ExtractList, UsesTheGivenSeparatorOnly) {
    std::string text = "a,b;c";
    EXPECT_EQ(extract_list(text, ';'), "a,b");
    EXPECT_EQ(text, "c");
}

TEST(ExtractList, QuotedPartIsOneUnitWithItsQuotes) {
    std::string text = "\"Duo Discus, XLT\",250,\"x\"";
    EXPECT_EQ(extract_comma(text), "\"Duo Discus, XLT\"");
    EXPECT_EQ(text, "250,\"x\"");
    EXPECT_EQ(extract_comma(text), "250");
    EXPECT_EQ(extract_comma(text), "\"x\"");
    EXPECT_TRUE(text.empty());
}

TEST(ExtractList, QuotedItemRunsToTheSeparatorAfterTheClosingQuote) {
    std::string text = "  \"a,b\" c,d";
    EXPECT_EQ(extract_comma(text), "\"a,b\" c");
    EXPECT_EQ(text, "d");
}

TEST(ExtractList, NothingAfterAClosingQuoteIsLost) {
    std::string text = "\"a,b\"xyz";
    EXPECT_EQ(extract_comma(text), "\"a,b\"");
    EXPECT_EQ(extract_comma(text), "xyz");
    EXPECT_TRUE(text.empty());
}

TEST(ExtractList, QuotesThatDoNotEncloseASeparatorDoNotGroup) {
    // No closing quote: the separator splits as usual.
    std::string open = "\"abc,def";
    EXPECT_EQ(extract_comma(open), "\"abc");
    EXPECT_EQ(open, "def");
    // A quote only after the first separator belongs to a later item.
    std::string later = "abc,\"d,e\"";
    EXPECT_EQ(extract_comma(later), "abc");
    EXPECT_EQ(extract_comma(later), "\"d,e\"");
}

TEST(IsTrue, LooksAtTheFirstCharacterOnly) {
    EXPECT_TRUE(is_true("1"));
    EXPECT_TRUE(is_true("Y"));
    EXPECT_TRUE(is_true("yes"));
    EXPECT_TRUE(is_true("10"));
    EXPECT_FALSE(is_true("True"));
    EXPECT_FALSE(is_true("N"));
    EXPECT_FALSE(is_true("0"));
    EXPECT_FALSE(is_true(" 1"));
    EXPECT_FALSE(is_true(""));
    EXPECT_EQ(log2int(is_true("y")), 1);
    EXPECT_EQ(log2int(is_true("n")), 0);
}

TEST(CText, CopiesUpToTheNulOrTheLimit) {
    const char buffer[] = "airspeed=12\0garbage";
    EXPECT_EQ(strcpy_c2f(std::string_view(buffer, sizeof buffer)), "airspeed=12");
    EXPECT_EQ(strcpy_c2f("airspeed=12", 8), "airspeed");
    EXPECT_EQ(strcpy_c2f("ab  "), "ab  ");
    EXPECT_EQ(strcpy_f2c("Kalveo   "), "Kalveo");
    EXPECT_EQ(strcpy_f2c(std::string_view("ab \0cd", 6)), "ab");
}

} // namespace
} // namespace kalveo
