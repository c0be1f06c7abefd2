// Replacing a file keeps what is not an ordinary file: a link stays a link,
// a pipe or a device is written into, never renamed over.
#include "app/AtomicFile.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

TEST_F(TempHomeTest, ReplacingFollowsALinkAndWritesIntoAPipe) {
    const fs::path file = m_temp.Data() / "840.0";
    const fs::path link = m_temp.Data() / "link";
    ASSERT_TRUE(WriteFileAtomically(file, "old"));
    fs::create_symlink(file, link);
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(file), "new");

    const fs::path pipe = m_temp.Data() / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Held open for reading and writing, the pipe takes the bytes without a
    // reader waiting on the other side.
    const int held = open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(held, 0);
    ASSERT_TRUE(WriteFileAtomically(pipe, "bytes"));
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    char received[8] = {};
    EXPECT_EQ(read(held, received, sizeof received), 5);
    EXPECT_STREQ(received, "bytes");
    close(held);
}

} // namespace
