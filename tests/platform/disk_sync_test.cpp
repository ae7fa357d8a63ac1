#include "platform/disk_sync.h"
#include "support/test_files.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(DiskSync, WrittenFilesAndTheirFolderSyncAndMissingOnesSayWhy) {
    testing::TempDir dir;
    testing::write_file(dir / "data.txt", "bytes");
    EXPECT_EQ(sync_file_to_disk(dir / "data.txt"), 0);
    EXPECT_EQ(sync_folder_to_disk(dir.path()), 0);
    EXPECT_EQ(sync_file_to_disk(dir / "gone.txt"), ENOENT);
    EXPECT_EQ(sync_folder_to_disk(dir / "no-such-folder"), ENOENT);
}

} // namespace
} // namespace kalveo
