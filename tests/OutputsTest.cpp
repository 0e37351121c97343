// vyra-select and the desktop program as processes: exit statuses, the
// report as PDF, files written whole or refused, and printing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    return {std::istreambuf_iterator<char>(in), {}};
}

Outcome Shell(const std::string& command)
{
    const fs::path errPath = fs::temp_directory_path() / ("vyra-outputs-err-" + std::to_string(::getpid()));
    Outcome outcome;
    FILE* pipe = ::popen((command + " 2>" + errPath.string()).c_str(), "r");
    std::array<char, 4096> buffer{};
    for (std::size_t n = 0; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        outcome.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = ReadFile(errPath);
    fs::remove(errPath);
    return outcome;
}

const std::string kProgram = VYRA_SELECT_PATH;
const std::string kCase = " --tension=10 --diameter=100 --roller-weight=10 --alpha=0 --beta=0 --gamma=0"
                          " --position=0 --height=0 --bearing-weight=1 --speed=100"
                          " --customer='Northern Paper' --order=A-17 --machine=PM3 --date='Dec 06,2026' --name=Ito";

class OutputsTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_folder); }
    void TearDown() override { fs::remove_all(m_folder); }
    std::size_t Entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }

    const fs::path m_folder = fs::temp_directory_path() / ("vyra-outputs-" + std::to_string(::getpid()));
};

// The matrix of a line report says, row by row, what the CSV output says;
// the pages that follow are the reports of the computed rollers.
TEST_F(OutputsTest, LineReportMatrixAgreesWithTheCsvRows)
{
    const fs::path rows = m_folder / "line.csv";
    std::ofstream(rows) << "id,tension,diameter,roller-weight,alpha,beta,gamma,position,height,bearing-weight,speed,"
                           "type,customer\n"
                           "R1,10,100,10,20,80,20,20,0,1,100,,Northern Paper\n"
                           "R2,300,60,40,170,170,0,50,200,5,360,safe,\n"
                           "R3,10,100,10,10,,,,,,,,\n";
    const fs::path pdf = m_folder / "line.pdf";
    const Outcome run = Shell(kProgram + " --batch " + rows.string() + " --line-report " + pdf.string());
    EXPECT_EQ(run.status, 1) << run.err;
    const std::string text = Shell("pdftotext -layout " + pdf.string() + " -").out;
    EXPECT_NE(text.find("Customer:Northern Paper"), std::string::npos);
    EXPECT_NE(text.find("Rollers: 3     computed: 2       refused: 1"), std::string::npos) << text;
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::istringstream cells(line.substr(0, line.size() - 1));
        std::vector<std::string> cell;
        for (std::string value; std::getline(cells, value, ',');) {
            cell.push_back(value);
        }
        std::string expected = cell[0] + " " + cell[1] + " ";
        if (cell[2] == "refused") {
            expected += cell[3].substr(0, 40);  // the matrix cuts it short
        } else {
            for (std::size_t model = 5; model < cell.size(); ++model) {
                expected += (cell[model] == "none" ? "-" : cell[model]) + " ";
            }
        }
        std::string matrixRow;
        for (std::istringstream pages(text); std::getline(pages, matrixRow);) {
            std::istringstream words(matrixRow);
            std::string normalised;
            for (std::string word; words >> word;) {
                normalised += word + " ";
            }
            if (normalised.starts_with(cell[0] + " " + cell[1] + " ")) {
                matrixRow = normalised;
                break;
            }
        }
        EXPECT_TRUE(matrixRow.starts_with(expected.substr(0, expected.find_last_not_of(' ') + 1))) << matrixRow;
    }
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2 + 2 * 2);
}

// --charts adds the charts page to the report; --chart draws one chart.
TEST_F(OutputsTest, ChartsPageAndChartImages)
{
    const fs::path pdf = m_folder / "charts.pdf";
    EXPECT_EQ(Shell(kProgram + kCase + " --report " + pdf.string() + " --charts >/dev/null").status, 0);
    EXPECT_NE(Shell("pdfinfo " + pdf.string()).out.find("Pages:           3"), std::string::npos);
    EXPECT_NE(Shell("pdftotext -f 3 " + pdf.string() + " -").out.find("Mounting-angle chart"), std::string::npos);
    for (const char* kind : {"speed", "gamma"}) {
        const fs::path png = m_folder / (std::string(kind) + ".png");
        EXPECT_EQ(Shell(kProgram + kCase + " --chart " + kind + " " + png.string() + " >/dev/null").status, 0);
        EXPECT_EQ(ReadFile(png).substr(1, 3), "PNG") << kind;
    }
}

TEST_F(OutputsTest, ExitStatusesAndVersions)
{
    const std::pair<std::string, int> cases[] = {{kCase + " --json", 0},
                                                 {kCase + " --alpha=10 --json", 1},
                                                 {" --unit=lbf", 2},
                                                 {" --help", 0}};
    for (const auto& [args, status] : cases) {
        EXPECT_EQ(Shell(kProgram + args + " >/dev/null").status, status) << args;
    }
    EXPECT_EQ(Shell(kProgram + " --version").out, "vyra-select " VYRA_VERSION "\n");
    const Outcome desktop = Shell("env -u DISPLAY -u WAYLAND_DISPLAY " VYRA_DESKTOP_PATH " --version");
    EXPECT_EQ(desktop.status, 0);
    EXPECT_EQ(desktop.out, "VyraSensorSelector " VYRA_VERSION "\n");
}

// Two A4 pages with their texts, titled, in embedded Liberation Mono; a
// refused case writes nothing; an older file is replaced whole.
TEST_F(OutputsTest, ReportIsTwoPagesWrittenWhole)
{
    const fs::path pdf = m_folder / "report.pdf";
    std::ofstream(pdf) << "old";
    ASSERT_EQ(Shell(kProgram + kCase + " --report " + pdf.string()).status, 0);
    EXPECT_EQ(Entries(), 1U);
    const std::string info = Shell("pdfinfo " + pdf.string()).out;
    for (const char* expected : {"Pages:           2", "(A4)", "Title:           VyraSensorSelector report",
                                 "Creator:         VyraSensorSelector " VYRA_VERSION}) {
        EXPECT_NE(info.find(expected), std::string::npos) << expected << '\n' << info;
    }
    const std::string text = Shell("pdftotext -layout " + pdf.string() + " -").out;
    for (const char* expected : {"<VyraSensorSelector>", "Northern Paper", "A-17", "PM3", "Dec 06,2026", "Ito",
                                 "<Selection results 1>", "1 Vyra05B", "0.310", "<Selection results 2>", "31.42"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    const std::string fonts = Shell("pdffonts " + pdf.string()).out;
    EXPECT_NE(fonts.find("LiberationMono"), std::string::npos);
    std::istringstream lines(fonts);
    std::string line;
    for (int row = 0; std::getline(lines, line); ++row) {
        EXPECT_TRUE(row < 2 || line.substr(72, 3) == "yes") << "not embedded: " << line;
    }
    EXPECT_LT(fs::file_size(pdf), 150U * 1024U);
    EXPECT_NE(Shell("pdfinfo " + pdf.string()).out.find("A4"), std::string::npos);
    ASSERT_EQ(Shell(kProgram + kCase + " --json --paper letter --report=" + pdf.string()).status, 0);
    EXPECT_NE(Shell("pdfinfo " + pdf.string()).out.find("612 x 792 pts (letter)"), std::string::npos);
    EXPECT_EQ(Shell(kProgram + kCase + " --alpha=10 --report " + (m_folder / "refused.pdf").string()).status, 1);
    EXPECT_EQ(Entries(), 1U);
}

// Only a regular file is ever replaced: a missing folder, a pipe or a folder
// as the target fails with status 3 and stays as it was.
TEST_F(OutputsTest, UnwritableTargetsFailWithStatusThreeAndStayAsTheyWere)
{
    const fs::path fifo = m_folder / "fifo.pdf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::tuple<std::string, fs::path, std::string> cases[] = {
        {" --report ", m_folder / "missing-folder" / "report.pdf", "No such file or directory"},
        {" --report ", fifo, "it is not a regular file"},
        {" --sketch ", m_folder, "it is a folder"}};
    for (const auto& [option, target, reason] : cases) {
        const Outcome run = Shell(kProgram + kCase + option + target.string());
        EXPECT_EQ(run.status, 3) << target;
        EXPECT_NE(run.err.find("cannot write " + target.string() + ": " + reason), std::string::npos) << run.err;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Entries(), 1U);
}

// No printer, or a print server that takes the connection and never
// answers (the kernel completes the handshake, nothing reads): the trouble
// message and status 3, the figures written first.
TEST_F(OutputsTest, PrintingThatCannotHappenIsTrouble)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 16), 0);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    for (const std::string& server :
         {std::string("/nonexistent/cups.sock"), "127.0.0.1:" + std::to_string(ntohs(address.sin_port))}) {
        // A ceiling far above the program's own limit, so a failure cannot hold the suite.
        const Outcome run = Shell("CUPS_SERVER=" + server + " timeout 60 " + kProgram + kCase + " --json --print=yes");
        EXPECT_EQ(run.status, 3) << server;
        EXPECT_NE(run.err.find("The printer has any troubles."), std::string::npos) << run.err;
        EXPECT_NE(run.out.find("\"status\":\"ok\""), std::string::npos);
    }
    ::close(listener);
}

// The "vyra-capture" queue, default printer for the test run, keeps each
// job's PDF in its spool folder.
TEST_F(OutputsTest, PrintSendsBothPagesToTheDefaultQueue)
{
    const fs::path spool = "/var/spool/vyra-capture";
    if (!fs::exists(spool) || Shell("lpstat -d").out.find("vyra-capture") == std::string::npos) {
        GTEST_SKIP() << "the vyra-capture queue is not the default printer";
    }
    const auto jobs = [&spool] {
        std::set<fs::path> found;
        for (const auto& entry : fs::directory_iterator(spool)) {
            found.insert(entry.path());
        }
        return found;
    };
    const std::set<fs::path> before = jobs();
    ASSERT_EQ(Shell(kProgram + kCase + " --print").status, 0);
    fs::path job;
    for (int tries = 0; job.empty() && tries < 600; ++tries) {
        for (const fs::path& found : jobs()) {
            job = before.contains(found) || found.extension() != ".pdf" ? job : found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_FALSE(job.empty()) << "no job reached the queue";
    EXPECT_NE(Shell("pdfinfo " + job.string()).out.find("Pages:           2"), std::string::npos);
    const std::string text = Shell("pdftotext -layout " + job.string() + " -").out;
    EXPECT_NE(text.find("Northern Paper"), std::string::npos);
    EXPECT_NE(text.find("<Selection results 2>"), std::string::npos);
    EXPECT_EQ(Shell("pdftoppm -r 30 -png " + job.string() + " " + (m_folder / "page").string()).status, 0);
    EXPECT_TRUE(fs::exists(m_folder / "page-2.png"));
}

}  // namespace
