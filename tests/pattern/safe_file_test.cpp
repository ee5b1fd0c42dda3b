// Saves that never lose a file: a save that fails part-way leaves the old file and nothing
// else; one that succeeds keeps a link a link and the file's permission bits.

#include "pattern/safe_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kBigContent(8192, 'x');  // well beyond the limits the tests set

bool save(SafeFile file, const std::string& content) {
    if (file.file()) std::fputs(content.c_str(), file.file());
    return file.commit();
}

class SafeFileTest : public ::testing::Test {
  protected:
    TempDir dir;
};

// Nothing of a save is left beside its target: no temporary file, no kept old content.
void expectNoHiddenEntries(const std::string& what) {
    for (const std::string& entry : entriesOf("."))
        EXPECT_NE(entry.front(), '.') << what << ": " << entry << " left behind";
}

std::string descriptorPath(const char* folder, int fd) {
    return std::string(folder) + std::to_string(fd);
}

// What a pipe or a named pipe holds so far; nothing, rather than a wait, when it is empty
// (its write end may stay open).
std::string pending(int readEnd) {
    pollfd ready{readEnd, POLLIN, 0};
    if (poll(&ready, 1, 0) != 1) return "";
    char buffer[256];
    const ssize_t count = read(readEnd, buffer, sizeof buffer);
    return count > 0 ? std::string(buffer, static_cast<std::size_t>(count)) : "";
}

// A file holding "old\n", opened for appending as a shell's ">>" opens it.
int appendingDescriptor(std::vector<int>& fds) {
    writeFile("all.tsv", "old\n");
    fds.push_back(open("all.tsv", O_WRONLY | O_APPEND));
    return fds.back();
}

struct InPlaceCase {
    const char* what;
    std::function<std::string(std::vector<int>& fds)> target;  // opens what it needs
    std::function<std::string(const std::vector<int>& fds)> content;
    std::string expected;
};

// A save whose target names a pipe, a device or an open descriptor writes into it as it
// is: what the descriptor's file held stays, and nothing is created or renamed.
TEST_F(SafeFileTest, ATargetThatIsNoRegularFileIsWrittenInPlace) {
    const auto appended = [](const std::vector<int>&) { return readFile("all.tsv"); };
    const std::vector<InPlaceCase> cases{
        {"a file opened for appending, as /dev/fd/N",
         [](std::vector<int>& fds) { return descriptorPath("/dev/fd/", appendingDescriptor(fds)); },
         appended, "old\nnew\n"},
        {"a file opened for appending, as /proc/self/fd/N",
         [](std::vector<int>& fds) {
             return descriptorPath("/proc/self/fd/", appendingDescriptor(fds));
         },
         appended, "old\nnew\n"},
        {"a link to /dev/fd/N",
         [](std::vector<int>& fds) {
             fs::create_symlink(descriptorPath("/dev/fd/", appendingDescriptor(fds)), "t.tsv");
             return std::string("t.tsv");
         },
         appended, "old\nnew\n"},
        {"a pipe, as /dev/fd/N",
         [](std::vector<int>& fds) {
             int ends[2];
             if (pipe(ends) != 0) return std::string("no pipe");
             fds = {ends[0], ends[1]};
             return descriptorPath("/dev/fd/", ends[1]);
         },
         [](const std::vector<int>& fds) { return pending(fds[0]); }, "new\n"},
        {"a named pipe with a reader",
         [](std::vector<int>& fds) {
             mkfifo("fifo", 0600);
             fds.push_back(open("fifo", O_RDONLY | O_NONBLOCK));
             return std::string("fifo");
         },
         [](const std::vector<int>& fds) {
             return fs::is_fifo("fifo") ? pending(fds[0]) : "replaced by a file";
         },
         "new\n"},
        {"a device", [](std::vector<int>&) { return std::string("/dev/null"); },
         [](const std::vector<int>&) { return std::string(); }, ""},
    };
    for (const InPlaceCase& row : cases) {
        std::vector<int> fds;
        const std::string target = row.target(fds);
        EXPECT_TRUE(save(SafeFile::replacing(target), "new\n")) << row.what;
        EXPECT_EQ(row.content(fds), row.expected) << row.what;
        expectNoHiddenEntries(row.what);
        for (const int fd : fds) close(fd);
        for (const std::string& entry : entriesOf(".")) fs::remove(entry);
    }
}

// A socket cannot be opened as a file: the save fails and says so.
void makeSocket(const char* name) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, name, sizeof address.sun_path - 1);
    bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
}

struct FailureCase {
    const char* what;
    std::string target;
    bool appending;
    rlim_t sizeLimit;                    // 0: none
    std::function<void()> beforeCommit;  // what goes wrong between the writes and the commit
    std::string failure;
};

TEST_F(SafeFileTest, EveryFailureLeavesTheOldFileAndNamesTheFileWithTheReason) {
    const std::vector<FailureCase> cases{
        {"an open that fails", "missing/data.xy", false, 0, nullptr,
         "missing/data.xy: cannot be written: No such file or directory"},
        {"an append that cannot open", "missing/a.fit", true, 0, nullptr,
         "missing/a.fit: cannot be written: No such file or directory"},
        {"a write to a full device", "/dev/full", false, 0, nullptr,
         "/dev/full: cannot be written: No space left on device"},
        {"a write beyond the size limit", "data.xy", false, 1024, nullptr,
         "data.xy: cannot be written: File too large"},
        {"a new file beyond the size limit", "new.xy", false, 1024, nullptr,
         "new.xy: cannot be written: File too large"},
        {"an append beyond the size limit", "data.xy", true, 1024, nullptr,
         "data.xy: cannot be written: File too large"},
        {"a rename that fails", "new.xy", false, 0,
         [] {
             fs::create_directory("new.xy");
             writeFile("new.xy/inside", "");
         },
         "new.xy: cannot be written: Is a directory"},
        {"a directory in the way", "folder", false, 0, nullptr,
         "folder: cannot be written: Is a directory"},
        {"a socket", "socket", false, 0, nullptr,
         "socket: cannot be written: No such device or address"},
    };
    for (const FailureCase& row : cases) {
        writeFile("data.xy", "old content\n");
        fs::create_directory("folder");
        makeSocket("socket");
        {
            std::optional<FileSizeLimit> limit;
            if (row.sizeLimit > 0) limit.emplace(row.sizeLimit);
            SafeFile file =
                row.appending ? SafeFile::appending(row.target) : SafeFile::replacing(row.target);
            if (file.file()) std::fputs(kBigContent.c_str(), file.file());
            if (row.beforeCommit) row.beforeCommit();
            EXPECT_FALSE(file.commit()) << row.what;
            EXPECT_EQ(file.failure(), row.failure) << row.what;
        }
        EXPECT_EQ(readFile("data.xy"), "old content\n") << row.what;
        EXPECT_FALSE(fs::is_regular_file("new.xy")) << row.what;
        expectNoHiddenEntries(row.what);
        for (const std::string& entry : entriesOf(".")) fs::remove_all(entry);
    }
}

struct PairCase {
    const char* what;
    std::string first, second;
    std::string firstContent, secondContent;
    std::function<void()> beforeCommit;
    std::string firstFailure, secondFailure;  // both empty: saved
};

// Two files that belong together (the .fbg and .gbg of one list of points) are both
// replaced, or both keep what they held.
TEST_F(SafeFileTest, APairIsReplacedWholeOrNotAtAll) {
    constexpr rlim_t kLimit = 1024;  // below kBigContent
    const auto directoryAt = [](const char* name) {
        return [name] {
            fs::create_directory(name);
            writeFile(std::string(name) + "/inside", "");
        };
    };
    const std::vector<PairCase> cases{
        {"both written", "a.fbg", "a.gbg", "new a\n", "new b\n", nullptr, "", ""},
        {"both new", "new.fbg", "new.gbg", "new a\n", "new b\n", nullptr, "", ""},
        {"the second beyond the size limit", "a.fbg", "a.gbg", "new a\n", kBigContent, nullptr, "",
         "a.gbg: cannot be written: File too large"},
        {"the first beyond the size limit", "a.fbg", "a.gbg", kBigContent, "new b\n", nullptr,
         "a.fbg: cannot be written: File too large", ""},
        {"the second not opened", "a.fbg", "missing/a.gbg", "new a\n", "new b\n", nullptr, "",
         "missing/a.gbg: cannot be written: No such file or directory"},
        {"the second not renamed", "a.fbg", "new.gbg", "new a\n", "new b\n", directoryAt("new.gbg"),
         "", "new.gbg: cannot be written: Is a directory"},
        {"the second not renamed after a new first", "new.fbg", "new.gbg", "new a\n", "new b\n",
         directoryAt("new.gbg"), "", "new.gbg: cannot be written: Is a directory"},
        {"the first not renamed", "new.fbg", "a.gbg", "new a\n", "new b\n", directoryAt("new.fbg"),
         "new.fbg: cannot be written: Is a directory", ""},
    };
    for (const PairCase& row : cases) {
        writeFile("a.fbg", "old a\n");
        writeFile("a.gbg", "old b\n");
        std::map<std::string, std::string> before;
        for (const std::string& name : {row.first, row.second})
            if (fs::is_regular_file(name)) before[name] = readFile(name);
        {
            FileSizeLimit limit(kLimit);
            SafeFile first = SafeFile::replacing(row.first);
            SafeFile second = SafeFile::replacing(row.second);
            for (auto [save, content] :
                 {std::pair{&first, &row.firstContent}, std::pair{&second, &row.secondContent}})
                if (save->file()) std::fputs(content->c_str(), save->file());
            if (row.beforeCommit) row.beforeCommit();
            const bool saved = row.firstFailure.empty() && row.secondFailure.empty();
            EXPECT_EQ(SafeFile::commitTogether(first, second), saved) << row.what;
            EXPECT_EQ(first.failure(), row.firstFailure) << row.what;
            EXPECT_EQ(second.failure(), row.secondFailure) << row.what;
            if (saved) {
                EXPECT_EQ(readFile(row.first), row.firstContent) << row.what;
                EXPECT_EQ(readFile(row.second), row.secondContent) << row.what;
            }
        }
        if (!row.firstFailure.empty() || !row.secondFailure.empty()) {
            for (const std::string& name : {row.first, row.second}) {
                if (before.count(name) > 0) {
                    EXPECT_EQ(readFile(name), before[name]) << row.what << ": " << name;
                } else {
                    EXPECT_FALSE(fs::is_regular_file(name)) << row.what << ": " << name;
                }
            }
        }
        expectNoHiddenEntries(row.what);
        for (const std::string& entry : entriesOf(".")) fs::remove_all(entry);
    }
}

}  // namespace

TEST_F(SafeFileTest, ASaveBeyondTheSizeLimitLeavesTheOldFileAndNothingElse) {
    writeFile("data.xy", "old content\n");
    {
        FileSizeLimit limit(1024);
        EXPECT_FALSE(save(SafeFile::replacing("data.xy"), kBigContent));
        EXPECT_FALSE(save(SafeFile::replacing("new.xy"), kBigContent));
    }
    EXPECT_EQ(readFile("data.xy"), "old content\n");
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"data.xy"});
}

TEST_F(SafeFileTest, ASaveThroughALinkReplacesTheFileItLeadsToWithItsPermissions) {
    fs::create_directory("real");
    writeFile("real/data.fbg", "old\n");
    fs::permissions("real/data.fbg",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/data.fbg", "data.fbg");
    ASSERT_TRUE(save(SafeFile::replacing("data.fbg"), "new\n"));
    EXPECT_TRUE(fs::is_symlink("data.fbg"));
    EXPECT_EQ(readFile("real/data.fbg"), "new\n");
    EXPECT_EQ(fs::status("real/data.fbg").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entriesOf("real"), std::vector<std::string>{"data.fbg"});
    EXPECT_EQ(entriesOf(dir.path()), (std::vector<std::string>{"data.fbg", "real"}));
}

TEST_F(SafeFileTest, AFailedAppendLeavesTheBlocksThatWereThere) {
    const std::string blocks = "#   tth\n1.0 2.0\n#----#\n";
    writeFile("peaks.fit", blocks);
    ASSERT_TRUE(save(SafeFile::appending("peaks.fit"), "3.0 4.0\n#----#\n"));
    const std::string appended = blocks + "3.0 4.0\n#----#\n";
    EXPECT_EQ(readFile("peaks.fit"), appended);
    {
        FileSizeLimit limit(appended.size() + 100);
        EXPECT_FALSE(save(SafeFile::appending("peaks.fit"), kBigContent));
    }
    EXPECT_EQ(readFile("peaks.fit"), appended);
}
