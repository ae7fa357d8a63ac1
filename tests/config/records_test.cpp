#include "config/records.h"
#include "sim/records.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(Installation, ActiveVersionNamesShareTheirStorage) {
    Installation inst;
    inst.pilot_path() = "C:\\Users\\pilot\\Documents\\Condor3\\Pilots\\Ann";
    inst.cndrvers() = 3;
    EXPECT_EQ(inst.cndrpilpath, "C:\\Users\\pilot\\Documents\\Condor3\\Pilots\\Ann");
    EXPECT_EQ(inst.condor_version, 3);

    inst.cndrpilpath = "C:\\Users\\pilot\\Documents\\Condor\\Pilots\\Bob";
    inst.condor_version = 2;
    const Installation& seen = inst;
    EXPECT_EQ(seen.pilot_path(), "C:\\Users\\pilot\\Documents\\Condor\\Pilots\\Bob");
    EXPECT_EQ(seen.cndrvers(), 2);
}

// A language file that lacks a key leaves this sentence in the box.
TEST(MessagesRecord, EveryMessageStartsAsTheNotInitializedSentence) {
    const MessagesRecord fresh;
    for (const std::string* text :
         {&fresh.msgnewinst, &fresh.msgvernum1, &fresh.msgfplnfnd, &fresh.msfgldnfnd,
          &fresh.msgexitcnf, &fresh.msgkeydefi, &fresh.msgnewprog}) {
        EXPECT_EQ(*text, "This message has not been initialized");
    }
}

} // namespace
} // namespace kalveo
