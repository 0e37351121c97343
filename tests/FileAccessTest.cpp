// Whole writes and regular reads against real special files and failing calls.
#include "FileAccess.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vyra {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Whether the check holds in a child process, which may limit its file size or drop privileges.
bool InChild(const std::function<bool()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// As an unprivileged user: nobody, when the test runs as root.
bool AsUnprivilegedUser(const std::function<bool()>& check)
{
    return InChild([&check] {
        constexpr uid_t kNobody = 65534;
        return (::getuid() != 0
                || (::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0
                    && ::setresuid(kNobody, kNobody, kNobody) == 0))
               && check();
    });
}

class FileAccessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::size_t Entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }

    const fs::path m_folder = fs::temp_directory_path() / ("vyra-files-" + std::to_string(::getpid()));
};

// A file is replaced keeping its mode, a new one takes the umask's, a link
// is written through and stays one; nothing else is left.
TEST_F(FileAccessTest, ReplacesRegularFilesAndWritesThroughLinks)
{
    const fs::path target = m_folder / "report.pdf";
    Put(target, "old");
    ::chmod(target.c_str(), 0600);
    EXPECT_TRUE(WriteFileWhole(target, "new content"));
    EXPECT_EQ(test::FileText(target), "new content");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    const fs::path fresh = m_folder / "real.png";
    const mode_t mask = ::umask(022);
    EXPECT_TRUE(WriteFileWhole(fresh, "first"));
    ::umask(mask);
    EXPECT_EQ(fs::status(fresh).permissions(), static_cast<fs::perms>(0644));
    fs::create_symlink("real.png", m_folder / "link.png");
    EXPECT_TRUE(WriteFileWhole(m_folder / "link.png", "second"));
    EXPECT_TRUE(fs::is_symlink(m_folder / "link.png"));
    EXPECT_EQ(test::FileText(fresh), "second");
    EXPECT_EQ(Entries(), 3U);
}

// A system call that fails with an input/output error.
template <typename Result, typename... Arguments>
Result Fails(Arguments...)
{
    errno = EIO;
    return -1;
}

ssize_t TakesNothing(int, const void*, std::size_t) { return 0; }

// Each write runs in a child under a file-size limit, the last case's full disk.
TEST_F(FileAccessTest, FailuresKeepTheOldFileAndLeaveNothingBehind)
{
    const fs::path target = m_folder / "report.pdf";
    const std::tuple<const char*, FileCalls, std::size_t, const char*> cases[] = {
        {"write fails", {Fails<ssize_t, int, const void*, std::size_t>, ::fsync}, 3, "Input/output error"},
        {"write takes nothing", {TakesNothing, ::fsync}, 3, "No space left on device"},
        {"sync fails", {::write, Fails<int, int>}, 3, "Input/output error"},
        {"disk full", {::write, ::fsync}, 100000, "File too large"}};
    for (const auto& c : cases) {
        Put(target, "old");
        const bool failed = InChild([&target, &c] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return test::ReasonOf(WriteFileWhole(target, std::string(std::get<2>(c), 'x'), std::get<1>(c)))
                   == std::get<3>(c);
        });
        EXPECT_EQ(std::tuple(failed, test::FileText(target), Entries()), std::tuple(true, "old", 1U)) << std::get<0>(c);
    }
}

// What is no regular file, what ">" would refuse, what another user owns
// and what has other names is neither written (by an unprivileged user) nor
// read nor waited on, and stays as it was; the longest name is written.
TEST_F(FileAccessTest, RefusesWhatItMayNotReplaceWholeAndLeavesItAsItWas)
{
    fs::permissions(m_folder, fs::perms::all);
    const fs::path fifo = m_folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path dangling = m_folder / "dangling";
    fs::create_symlink("nothing", dangling);
    // Creating a device node needs privilege; without it the case is left out.
    const fs::path device = m_folder / "full";
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const fs::path readOnly = m_folder / "read-only.vyracase";
    const fs::path linked = m_folder / "linked.csv";
    ASSERT_TRUE(AsUnprivilegedUser([&] {
        Put(readOnly, "old");
        ::chmod(readOnly.c_str(), 0444);
        Put(linked, "old");
        fs::create_hard_link(linked, m_folder / "second-name.csv");
        return true;
    }));
    const fs::path others = m_folder / "others.pdf";
    Put(others, "old");
    ::chmod(others.c_str(), 0666);
    // Only root can hand a file to another user.
    const bool root = ::getuid() == 0;
    const std::pair<fs::path, const char*> cases[] = {
        {fifo, "it is not a regular file"},
        {m_folder, "it is a folder"},
        {dangling, "it is a link to a file that does not exist"},
        {haveDevice ? device : fifo, "it is not a regular file"},
        {m_folder / "none" / "x.pdf", "No such file or directory"},
        {"", "no file name was given"},
        {readOnly, "permission denied"},
        {linked, "it has 1 other name(s) (hard links), which a whole write would part from it"},
        {root ? others : readOnly,
         root ? "its owner and group could not be kept (it belongs to another user)" : "permission denied"}};
    for (const auto& c : cases) {
        EXPECT_TRUE(AsUnprivilegedUser([&c] {
            return test::ReasonOf(WriteFileWhole(c.first, "new")).starts_with(c.second);
        })) << c.first;
    }
    EXPECT_TRUE(fs::is_fifo(fifo) && fs::is_symlink(dangling) && !fs::exists(m_folder / "nothing"));
    EXPECT_TRUE(!haveDevice || fs::is_character_file(device));
    EXPECT_EQ(test::FileText(readOnly) + test::FileText(linked) + test::FileText(others), "oldoldold");
    const fs::path longName = m_folder / std::string(255, 'n');
    EXPECT_TRUE(
        AsUnprivilegedUser([&] { return WriteFileWhole(longName, "new") && test::FileText(longName) == "new"; }));
    const fs::path file = m_folder / "doc.rtf";
    Put(file, "12345");
    EXPECT_EQ(*ReadRegularFile(file, 5), "12345");
    const std::tuple<fs::path, std::size_t, Failure> refused[] = {
        {file, 4, {"it is too large", Failure::Kind::TooLarge}},
        {fifo, 5, {"it is not a regular file", Failure::Kind::NotRegular}},
        {m_folder, 5, {"it is not a regular file", Failure::Kind::NotRegular}},
        {m_folder / "none", 5, {"No such file or directory", Failure::Kind::System, ENOENT}}};
    for (const auto& [path, limit, failure] : refused) {
        const Expected<std::string> read = ReadRegularFile(path, limit);
        EXPECT_EQ(read ? Failure{} : read.Error(), failure) << path;
    }
    EXPECT_EQ(Entries(), haveDevice ? 9U : 8U);
}

}  // namespace
}  // namespace vyra
