#include "text/file_names.h"
#include "text/strings.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(Majusc, CapitalisesAsciiLettersOnly) {
    EXPECT_EQ(majusc("ls8-18 neo"), "LS8-18 NEO");
    EXPECT_EQ(majusc("d\xc3\xa9j\xc3\xa0 vu  "), "D\xc3\xa9J\xc3\xa0 VU");
    EXPECT_EQ(majusc(""), "");
}

TEST(SubsDotComma, GivesDecimalCommasAndSemicolons) {
    EXPECT_EQ(subs_dot_comma("12.5,0.75"), "12,5;0,75");
    EXPECT_EQ(subs_dot_comma("IAS,Vz_C,Flaps"), "IAS;Vz_C;Flaps");
    EXPECT_EQ(subs_dot_comma("  "), "");
}

TEST(ExtractName, TakesTheTextAfterTheLastSeparator) {
    EXPECT_EQ(extract_name("C:\\Condor3\\Planes\\LS8\\LS8.cda"), "LS8.cda");
    EXPECT_EQ(extract_name("Kalveo.exe"), "Kalveo.exe");
    EXPECT_EQ(extract_name("/opt/kalveo/kalveo"), "kalveo");
    EXPECT_EQ(extract_name("Logs\\"), "");
    EXPECT_EQ(extract_name("   "), "");
}

TEST(ExtractPathName, SplitsIntoFolderAndName) {
    PathName p = extract_path_name("C:\\x\\y.txt");
    EXPECT_EQ(p.folder, "C:\\x\\");
    EXPECT_EQ(p.name, "y.txt");

    p = extract_path_name("arial.ttf");
    EXPECT_EQ(p.folder, ".\\");
    EXPECT_EQ(p.name, "arial.ttf");

    p = extract_path_name("..");
    EXPECT_EQ(p.folder, "..\\");
    EXPECT_EQ(p.name, "");

    p = extract_path_name("My Flights\\Polar 1.txt  ");
    EXPECT_EQ(p.folder, "My Flights\\");
    EXPECT_EQ(p.name, "Polar 1.txt");

    p = extract_path_name("");
    EXPECT_EQ(p.folder, "");
    EXPECT_EQ(p.name, "");
}

} // namespace
} // namespace kalveo
