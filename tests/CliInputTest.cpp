#include "tests/RunProgram.h"
#include "tests/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using tinsora::test::RunProgram;

namespace {

class CliInput : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(temp.Path().empty()); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

#ifndef _WIN32
    // Runs tinsora-cli through the shell, which first applies limits.
    static tinsora::test::ProgramResult RunLimited(const std::string& limits,
                                                   std::vector<std::string> args) {
        args.insert(args.begin(), {"-c", limits + "; exec \"$0\" \"$@\"", TINSORA_CLI_PATH});
        return RunProgram("/bin/sh", args);
    }
#endif

    tinsora::test::TempDir temp;
    const std::string& dir = temp.Path();
};

} // namespace

TEST_F(CliInput, RefusesAFileLargerThanTheInputLimitNamingTheLimit) {
    const std::string path = Write("ten.txt", "0123456789");
    const auto fits = RunProgram(TINSORA_CLI_PATH, {"text", "--max-input", "10", "--file", path});
    EXPECT_EQ(fits.status, 0) << fits.err;
    EXPECT_EQ(fits.out.substr(0, 26), "<FONT Color=\"#FF0000\" Size");

    const auto over = RunProgram(TINSORA_CLI_PATH, {"text", "--file", path, "--max-input", "9"});
    EXPECT_EQ(over.status, 1);
    EXPECT_TRUE(over.out.empty());
    EXPECT_EQ(over.err, "tinsora-cli: " + path +
                            ": larger than the input limit of 9 bytes (--max-input BYTES)\n");

    // The default limit, a gibibyte: a larger file is refused by its size alone.
    const std::string huge = Write("huge.txt", "");
    std::filesystem::resize_file(huge, (std::uintmax_t{1} << 30) + 1);
    const auto big = RunProgram(TINSORA_CLI_PATH, {"text", "--file", huge});
    EXPECT_EQ(big.status, 1);
    EXPECT_NE(big.err.find(": larger than the input limit of 1073741824 bytes"), std::string::npos)
        << big.err;
}

// FIFOs, devices and shell limits are POSIX things.
#ifndef _WIN32
TEST_F(CliInput, ReadsAFifoToItsEndAndADeviceOnlyToItsFirstZeroByte) {
    const std::string fifo = dir + "/fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << "A\r\nB"; });
    const auto piped = RunProgram(TINSORA_CLI_PATH, {"text", "--joined", "--file", fifo});
    writer.join();
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, "<FONT Color=\"#FF0000\" Size=\"3\">A</FONT><BR>"
                         "<FONT Color=\"#00FF00\" Size=\"3\">B</FONT><BR>\n");

    // /dev/zero holds an empty text; a memory limit shows nothing more is read
    // (but for AddressSanitizer, which needs a vast address space).
#ifdef __SANITIZE_ADDRESS__
    const std::string memoryLimit = "true";
#else
    const std::string memoryLimit = "ulimit -v 1000000";
#endif
    const auto zero = RunLimited(memoryLimit, {"text", "--file", "/dev/zero"});
    EXPECT_EQ(zero.status, 0) << zero.err;
    EXPECT_EQ(zero.out, "");
}

// The most memory (resident, in bytes) tinsora-cli takes reading a text from a pipe that gives
// size bytes and more, with --max-input limit.
long PeakReadingPipe(std::uint64_t limit, std::uint64_t size) {
    std::signal(SIGPIPE, SIG_IGN);
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], 0);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string maxInput = std::to_string(limit);
    const char* argv[] = {TINSORA_CLI_PATH, "text",           "--file", "/dev/stdin",
                          "--max-input",    maxInput.c_str(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, TINSORA_CLI_PATH, &actions, nullptr,
                                    const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[0]);
    const std::string block(1 << 16, 'y');
    for (std::uint64_t sent = 0; spawned == 0 && sent < size; sent += block.size())
        if (::write(pipeEnds[1], block.data(), block.size()) <= 0)
            break; // the reader has had enough
    ::close(pipeEnds[1]);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return -1;
    return usage.ru_maxrss * 1024L;
}

// A text read to the input limit from a pipe, whose size is not known beforehand, takes about
// the limit in memory, not twice it (as a buffer that doubles to make room for its last byte).
// AddressSanitizer keeps freed memory a while, so the figure holds only for a normal build.
#ifndef __SANITIZE_ADDRESS__
TEST_F(CliInput, AnInputAtTheLimitIsHeldAboutOnce) {
    constexpr std::uint64_t kLimit = std::uint64_t{128} << 20;
    const long base = PeakReadingPipe(kLimit, 1);
    const long peak = PeakReadingPipe(kLimit, kLimit + (std::uint64_t{1} << 20));
    ASSERT_GT(base, 0);
    ASSERT_GT(peak, 0);
    EXPECT_LT(static_cast<double>(peak - base), 1.5 * static_cast<double>(kLimit))
        << "peak " << peak << " bytes, " << base << " without the text";
}
#endif

TEST_F(CliInput, AFileSizeLimitOnTheOutputIsAWriteError) {
    const std::string out = dir + "/out.html";
    const auto r = RunLimited("ulimit -f 0", {"text", "AB"});
    EXPECT_EQ(r.status, 0) << "a pipe has no size limit";
    const auto limited = RunProgram(
        "/bin/sh", {"-c", "ulimit -f 0; exec \"$0\" text AB > \"$1\"", TINSORA_CLI_PATH, out});
    EXPECT_EQ(limited.status, 1) << "ended by a signal instead";
    EXPECT_EQ(limited.err, "tinsora-cli: ストリームへの書き込みエラー\n");
}

#endif

TEST_F(CliInput, MaxInputTakesANumberOfBytesAndNeedsAFile) {
    const std::string path = Write("a.txt", "A");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"text", "--file", path, "--max-input"},
             {"text", "--file", path, "--max-input", ""},
             {"text", "--file", path, "--max-input", "-1"},
             {"text", "--file", path, "--max-input", "1k"},
             {"text", "--file", path, "--max-input", "18446744073709551616"},
             {"text", "--max-input", "10", "A"}}) {
        const auto r = RunProgram(TINSORA_CLI_PATH, args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("--max-input"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage: tinsora-cli"), std::string::npos);
    }
    const auto most = RunProgram(TINSORA_CLI_PATH,
                                 {"text", "--max-input", "18446744073709551615", "--file", path});
    EXPECT_EQ(most.status, 0) << most.err;
}
