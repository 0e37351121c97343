// Whole writes and regular reads against real special files and failing calls.
#include "FileAccess.h"
#include "EngineCases.h"

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

std::string Content(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

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

// A regular file is replaced keeping its mode, a new one takes the usual
// mode, a link is written through and stays a link; nothing else is left.
TEST_F(FileAccessTest, ReplacesRegularFilesAndWritesThroughLinks)
{
    const fs::path target = m_folder / "report.pdf";
    Put(target, "old");
    ::chmod(target.c_str(), 0600);
    EXPECT_TRUE(WriteFileWhole(target, "new content"));
    EXPECT_EQ(Content(target), "new content");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    const fs::path fresh = m_folder / "real.png";
    const mode_t mask = ::umask(022);
    EXPECT_TRUE(WriteFileWhole(fresh, "first"));
    ::umask(mask);
    EXPECT_EQ(fs::status(fresh).permissions(), static_cast<fs::perms>(0644));
    fs::create_symlink("real.png", m_folder / "link.png");
    EXPECT_TRUE(WriteFileWhole(m_folder / "link.png", "second"));
    EXPECT_TRUE(fs::is_symlink(m_folder / "link.png"));
    EXPECT_EQ(Content(fresh), "second");
    EXPECT_EQ(Entries(), 3U);
}

// What is no regular file is neither written nor read, nor waited on, and
// is left as it was.
TEST_F(FileAccessTest, RefusesWhatIsNoRegularFileAndLeavesItAsItWas)
{
    const fs::path fifo = m_folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path dangling = m_folder / "dangling";
    fs::create_symlink("nothing", dangling);
    const fs::path device = m_folder / "full";
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const struct {
        const char* name;
        fs::path path;
        const char* reason;
    } cases[] = {{"pipe", fifo, "it is not a regular file"},
                 {"folder", m_folder, "it is a folder"},
                 {"dangling link", dangling, "it is a link to a file that does not exist"},
                 {"device", device, "it is not a regular file"},
                 {"missing folder", m_folder / "none" / "x.pdf", "No such file or directory"},
                 {"no name", "", "no file name was given"}};
    for (const auto& c : cases) {
        if (c.path == device && !haveDevice) {
            continue;  // creating device nodes needs privilege
        }
        const std::string reason = test::ReasonOf(WriteFileWhole(c.path, "bytes"));
        EXPECT_TRUE(reason.starts_with(c.reason)) << c.name << ": " << reason;
    }
    EXPECT_TRUE(fs::is_fifo(fifo) && fs::is_symlink(dangling) && !fs::exists(m_folder / "nothing"));
    EXPECT_EQ(Entries(), haveDevice ? 3U : 2U);
    EXPECT_TRUE(!haveDevice || fs::is_character_file(device));
    const fs::path file = m_folder / "doc.rtf";
    Put(file, "12345");
    EXPECT_EQ(*ReadRegularFile(file, 5), "12345");
    const struct {
        fs::path path;
        std::size_t limit;
        Failure failure;
    } refused[] = {{file, 4, {"it is too large", Failure::Kind::TooLarge}},
                   {fifo, 5, {"it is not a regular file", Failure::Kind::NotRegular}},
                   {m_folder, 5, {"it is not a regular file", Failure::Kind::NotRegular}},
                   {m_folder / "none", 5, {"No such file or directory", Failure::Kind::System, ENOENT}}};
    for (const auto& c : refused) {
        const Expected<std::string> read = ReadRegularFile(c.path, c.limit);
        ASSERT_FALSE(read) << c.path;
        EXPECT_EQ(read.Error(), c.failure) << c.path;
    }
}

// A system call that fails with an input/output error.
template <typename Result, typename... Arguments>
Result Fails(Arguments...)
{
    errno = EIO;
    return -1;
}

ssize_t TakesNothing(int, const void*, std::size_t) { return 0; }

// Each write runs in a child process under a file-size limit, which makes
// the full disk of the last case.
TEST_F(FileAccessTest, FailuresKeepTheOldFileAndLeaveNothingBehind)
{
    const fs::path target = m_folder / "report.pdf";
    const struct {
        const char* name;
        FileCalls calls;
        std::size_t bytes;
        const char* reason;
    } cases[] = {{"write fails", {Fails<ssize_t, int, const void*, std::size_t>, ::fsync}, 3, "Input/output error"},
                 {"write takes nothing", {TakesNothing, ::fsync}, 3, "No space left on device"},
                 {"sync fails", {::write, Fails<int, int>}, 3, "Input/output error"},
                 {"disk full", {::write, ::fsync}, 100000, "File too large"}};
    for (const auto& c : cases) {
        Put(target, "old");
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::_exit(test::ReasonOf(WriteFileWhole(target, std::string(c.bytes, 'x'), c.calls)) == c.reason ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.name;
        EXPECT_EQ(Content(target), "old") << c.name;
        EXPECT_EQ(Entries(), 1U) << c.name;
    }
}

// Runs the check in a child process as an unprivileged user (nobody, when
// the test runs as root), as a user who may not write everything would.
bool AsUnprivilegedUser(const std::function<bool()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        const bool dropped = ::getuid() != 0
                             || (::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0
                                 && ::setresuid(kNobody, kNobody, kNobody) == 0);
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What the shell's ">" would refuse, what another user owns and what has
// other names is refused and left as it was; a name as long as the system
// allows is written.
TEST_F(FileAccessTest, RefusesWhatItsUserMayNotReplaceWhole)
{
    fs::permissions(m_folder, fs::perms::all);
    const fs::path readOnly = m_folder / "read-only.vyracase";
    const fs::path linked = m_folder / "linked.csv";
    const fs::path others = m_folder / "others.pdf";
    const fs::path longName = m_folder / std::string(255, 'n');
    const bool root = ::getuid() == 0;
    ASSERT_TRUE(AsUnprivilegedUser([&] {
        Put(readOnly, "old");
        ::chmod(readOnly.c_str(), 0444);
        Put(linked, "old");
        fs::create_hard_link(linked, m_folder / "second-name.csv");
        return true;
    }));
    Put(others, "old");
    ::chmod(others.c_str(), 0666);
    const struct {
        fs::path path;
        const char* reason;
    } cases[] = {{readOnly, "permission denied"},
                 {linked, "it has 1 other name(s) (hard links), which a whole write would part from it"},
                 {others, "its owner and group could not be kept (it belongs to another user)"}};
    for (const auto& c : cases) {
        if (c.path == others && !root) {
            continue;  // only root can hand a file to another user
        }
        EXPECT_TRUE(AsUnprivilegedUser([&] { return test::ReasonOf(WriteFileWhole(c.path, "new")) == c.reason; }))
            << c.path;
        EXPECT_EQ(Content(c.path), "old") << c.path;
    }
    EXPECT_TRUE(AsUnprivilegedUser([&] { return WriteFileWhole(longName, "new") && Content(longName) == "new"; }));
    EXPECT_EQ(Entries(), 5U);
}

}  // namespace
}  // namespace vyra
