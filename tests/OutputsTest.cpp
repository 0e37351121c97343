// The report, print and sketch outputs of vyra-select, through the real
// programs and the tools a user would open their files with.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <sys/wait.h>
#include <iterator>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Outcome Shell(const std::string& command)
{
    const fs::path errPath = fs::temp_directory_path() / ("vyra-outputs-err-" + std::to_string(::getpid()));
    Outcome outcome;
    FILE* pipe = ::popen((command + " 2>" + errPath.string()).c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        outcome.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = ReadFile(errPath);
    fs::remove(errPath);
    return outcome;
}

int PageCount(const std::string& pdfinfo)
{
    std::istringstream lines(pdfinfo);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with("Pages:")) {
            return std::stoi(line.substr(6));
        }
    }
    return -1;
}

// pdffonts lists a font a line below two heading lines; the fifth word from
// the end is "yes" when the font is embedded.
bool AllFontsEmbedded(const std::string& pdffonts)
{
    std::istringstream lines(pdffonts);
    std::string line;
    int row = 0;
    int fonts = 0;
    while (std::getline(lines, line)) {
        if (++row <= 2 || line.empty()) {
            continue;
        }
        std::istringstream words(line);
        std::vector<std::string> word{std::istream_iterator<std::string>(words), {}};
        if (word.size() < 5 || word[word.size() - 5] != "yes") {
            return false;
        }
        ++fonts;
    }
    return fonts > 0;
}

bool HasTool(const std::string& tool) { return Shell("command -v " + tool + " >/dev/null").status == 0; }

const std::string kCase = " --tension=10 --diameter=100 --roller-weight=10 --alpha=0 --beta=0 --gamma=0"
                          " --position=0 --height=0 --bearing-weight=1 --speed=100"
                          " --customer='Northern Paper' --order=A-17 --machine=PM3 --date='Dec 06,2026' --name=Ito";

class OutputsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("vyra-outputs-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
    const std::string m_program = VYRA_SELECT_PATH;
};

TEST_F(OutputsTest, ReportIsTwoA4PagesWithItsTextsAndEmbeddedFonts)
{
    if (!HasTool("pdfinfo")) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    const fs::path pdf = m_folder / "report.pdf";
    const Outcome run = Shell(m_program + kCase + " --report " + pdf.string());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string info = Shell("pdfinfo " + pdf.string()).out;
    EXPECT_EQ(PageCount(info), 2) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    const std::string text = Shell("pdftotext -layout " + pdf.string() + " -").out;
    for (const char* expected : {"<VyraSensorSelector>", "KALDER CORPORATION", "TQ-2208.V-001", "Northern Paper",
                                 "A-17", "PM3", "Dec 06,2026", "Ito", "<Specifications>", "<Image>", "Standard",
                                 "Right(R)", "Two sensors", "<Selection results 1>", "1 Vyra05B", "9 Vyra41",
                                 "0.310", "<Selection results 2>", "31.42", "F1/F2<0.7"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    EXPECT_NE(info.find("Title:           VyraSensorSelector report"), std::string::npos) << info;
    EXPECT_NE(info.find("Creator:         VyraSensorSelector " VYRA_VERSION), std::string::npos) << info;
    const std::string fonts = Shell("pdffonts " + pdf.string()).out;
    EXPECT_NE(fonts.find("LiberationMono"), std::string::npos) << fonts;
    EXPECT_TRUE(AllFontsEmbedded(fonts)) << fonts;
    EXPECT_LT(fs::file_size(pdf), 150u * 1024u);
}

TEST_F(OutputsTest, BothProgramsTellTheirVersion)
{
    EXPECT_EQ(Shell(m_program + " --version").out, "vyra-select " VYRA_VERSION "\n");
    const Outcome desktop = Shell("env -u DISPLAY -u WAYLAND_DISPLAY " VYRA_DESKTOP_PATH " --version");
    EXPECT_EQ(desktop.status, 0);
    EXPECT_EQ(desktop.out, "VyraSensorSelector " VYRA_VERSION "\n");
}

TEST_F(OutputsTest, LetterPaperOnRequest)
{
    if (!HasTool("pdfinfo")) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    const fs::path pdf = m_folder / "letter.pdf";
    ASSERT_EQ(Shell(m_program + kCase + " --json --paper letter --report=" + pdf.string()).status, 0);
    EXPECT_NE(Shell("pdfinfo " + pdf.string()).out.find("612 x 792 pts (letter)"), std::string::npos);
}

TEST_F(OutputsTest, RefusedCaseWritesNothing)
{
    const fs::path pdf = m_folder / "refused.pdf";
    const Outcome run = Shell(m_program + kCase + " --alpha=10 --report " + pdf.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(fs::is_empty(m_folder));
}

TEST_F(OutputsTest, UnwritableTargetsFailWithStatusThreeAndStayAsTheyWere)
{
    const fs::path fifo = m_folder / "fifo.pdf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const struct {
        std::string option;
        fs::path target;
        const char* reason;
    } cases[] = {
        {" --report ", m_folder / "missing-folder" / "report.pdf", "No such file or directory"},
        {" --report ", fifo, "it is not a regular file"},
        {" --sketch ", m_folder, "it is a folder"},
    };
    for (const auto& c : cases) {
        const Outcome run = Shell(m_program + kCase + c.option + c.target.string());
        EXPECT_EQ(run.status, 3) << c.target;
        EXPECT_NE(run.err.find("cannot write " + c.target.string() + ": " + c.reason), std::string::npos) << run.err;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

TEST_F(OutputsTest, ReportReplacesAnOlderFileWhole)
{
    const fs::path pdf = m_folder / "report.pdf";
    std::ofstream(pdf) << "old";
    ASSERT_EQ(Shell(m_program + kCase + " --json --report " + pdf.string()).status, 0);
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

TEST_F(OutputsTest, PrintWithoutAnyPrinterReportsTroubleAndExitsThree)
{
    const Outcome run = Shell("CUPS_SERVER=/nonexistent/cups.sock " + m_program + kCase + " --json --print=yes");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("The printer has any troubles."), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\"status\":\"ok\""), std::string::npos);
}

// A print server that takes the connection and never answers: the kernel
// completes the handshake for the listening socket, and nothing reads.
TEST_F(OutputsTest, SilentPrintServerIsGivenUpWithTheTroubleMessage)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 16), 0);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const std::string server = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    // A hang ceiling far above the program's own limit, only so that a
    // failure does not hold the suite for minutes.
    const Outcome run = Shell("CUPS_SERVER=" + server + " timeout 60 " + m_program + kCase + " --json --print");
    ::close(listener);
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("The printer has any troubles."), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\"status\":\"ok\""), std::string::npos) << "the figures come first";
}

std::set<fs::path> CapturedJobs(const fs::path& spool)
{
    std::set<fs::path> jobs;
    for (const auto& entry : fs::directory_iterator(spool)) {
        if (entry.path().extension() == ".pdf") {
            jobs.insert(entry.path());
        }
    }
    return jobs;
}

// Needs the "vyra-capture" queue as the default printer (the test command
// sets it up); its backend keeps each job's PDF in the spool folder.
TEST_F(OutputsTest, PrintSendsBothPagesToTheDefaultQueue)
{
    const fs::path spool = "/var/spool/vyra-capture";
    if (!fs::exists(spool) || Shell("lpstat -d").out.find("vyra-capture") == std::string::npos) {
        GTEST_SKIP() << "the vyra-capture queue is not the default printer";
    }
    const std::set<fs::path> before = CapturedJobs(spool);
    const Outcome run = Shell(m_program + kCase + " --print");
    ASSERT_EQ(run.status, 0) << run.err;

    fs::path job;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (job.empty() && std::chrono::steady_clock::now() < deadline) {
        for (const fs::path& captured : CapturedJobs(spool)) {
            if (before.count(captured) == 0) {
                job = captured;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_FALSE(job.empty()) << "no job reached the queue";
    EXPECT_EQ(PageCount(Shell("pdfinfo " + job.string()).out), 2);
    const std::string text = Shell("pdftotext -layout " + job.string() + " -").out;
    for (const char* expected : {"<VyraSensorSelector>", "Northern Paper", "<Selection results 1>", "1 Vyra05B",
                                 "<Selection results 2>"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    const fs::path pages = m_folder / "page";
    ASSERT_EQ(Shell("pdftoppm -r 30 -png " + job.string() + " " + pages.string()).status, 0);
    EXPECT_TRUE(fs::exists(m_folder / "page-1.png"));
    EXPECT_TRUE(fs::exists(m_folder / "page-2.png"));
}

}  // namespace
