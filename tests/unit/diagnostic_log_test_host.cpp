// The log writer against the sandbox's files and clock.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/diagnostic_log.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet {
namespace {

namespace host = platform::host;

// The file is opened in text mode, so the line ends as Windows text does.
constexpr char kLine[] = "Fri Jan  5 01:05:09 PM: exception: InitLib()\r\n";

class DiagnosticLogHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("varnet-log-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        host::SetRoot(root_.string());
        host::ResetState();
        std::tm time{};
        time.tm_year = 124;
        time.tm_mday = 5;
        time.tm_wday = 5;
        time.tm_hour = 13;
        time.tm_min = 5;
        time.tm_sec = 9;
        host::SetLocalTime(time);
        logFile_ = host::HostPath(kLogPath);
    }
    void TearDown() override {
        host::ResetState();
        std::filesystem::remove_all(root_);
    }

    std::string ReadLog() const {
        std::ifstream in(logFile_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path root_;
    std::filesystem::path logFile_;
};

TEST_F(DiagnosticLogHostTest, FileIsDeletedOnlyWhenPastTheLimit) {
    struct Case {
        const char* name;
        long existing; // bytes already in the file; -1: no file
        bool kept;
    };
    const Case cases[] = {
        {"no file yet", -1, false},
        {"exactly the limit", 1000000, true},
        {"one byte past it", 1000001, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::create_directories(logFile_.parent_path());
        std::filesystem::remove(logFile_);
        const std::string old = c.existing < 0 ? "" : std::string(c.existing, 'o');
        if (c.existing >= 0) {
            std::ofstream(logFile_, std::ios::binary) << old;
        }
        host::ClearCaptures();
        WriteLog("exception: InitLib()");
        EXPECT_EQ(host::DebugOutput(), "exception: InitLib()");
        const std::string log = ReadLog();
        EXPECT_EQ(log.size(), (c.kept ? old.size() : 0) + sizeof kLine - 1);
        EXPECT_EQ(log.substr(log.size() - (sizeof kLine - 1)), kLine);
    }
}

TEST_F(DiagnosticLogHostTest, MissingLogFolderLeavesOnlyTheDebuggerMessage) {
    WriteLog("GetDeviceTypeFormMonType");
    EXPECT_EQ(host::DebugOutput(), "GetDeviceTypeFormMonType");
    EXPECT_FALSE(std::filesystem::exists(logFile_));
    EXPECT_FALSE(platform::PathFileExists("C:\\ProgramData\\ColorMode"));
    // The retry creates the vendor folders under ProgramData, never the log's own folder.
    std::string programData;
    ASSERT_TRUE(platform::GetProgramDataFolder(programData));
    EXPECT_TRUE(platform::PathFileExists((programData + "\\NORVANE\\Tintwell").c_str()));
}

TEST_F(DiagnosticLogHostTest, LinesAreAppendedOneAfterAnother) {
    std::filesystem::create_directories(logFile_.parent_path());
    WriteLog("exception: InitLib()");
    WriteLog("exception: InitLib()");
    EXPECT_EQ(ReadLog(), std::string(kLine) + kLine);
    std::string programData;
    ASSERT_TRUE(platform::GetProgramDataFolder(programData));
    EXPECT_FALSE(platform::PathFileExists((programData + "\\NORVANE").c_str()));
}

} // namespace
} // namespace varnet
