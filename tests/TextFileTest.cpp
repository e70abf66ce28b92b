#include "text/TextFile.h"

#include "messages/Messages.h"
#include "tests/TempDir.h"
#include "tests/Watchdog.h"
#include "text/Error.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace tinsora;
using namespace std::chrono_literals;
using tinsora::test::TempDir;
using tinsora::test::Watchdog;

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A file of size bytes that takes no room: all zero bytes but the first ones.
void WriteSparse(const std::string& path, std::uintmax_t size, const std::string& start = "") {
    WriteFile(path, start);
    std::filesystem::resize_file(path, size);
}

// A source that gives the same bytes for ever, counting its calls.
struct EndlessSource {
    char byte;
    int calls = 0;
    std::size_t operator()(char* data, std::size_t size) {
        ++calls;
        std::fill(data, data + size, byte);
        return size;
    }
};

ByteSource From(std::string text) {
    return [text = std::move(text), at = std::size_t{0}](char* data, std::size_t size) mutable {
        const std::size_t n = std::min(size, text.size() - at);
        std::copy_n(text.data() + at, n, data);
        at += n;
        return n;
    };
}

template <typename F> std::string ErrorOf(F f) {
    try {
        f();
    } catch (const Error& e) {
        return Worded(e, Language::Japanese);
    }
    return "";
}

} // namespace

TEST(ReadText, StopsAtTheLimitAndTellsWhetherTheTextWentOn) {
    EndlessSource endless{'a'};
    const TextRead cut = ReadText(std::ref(endless), 100000);
    EXPECT_EQ(cut.bytes, std::string(100000, 'a'));
    EXPECT_FALSE(cut.complete);
    EXPECT_LE(endless.calls, 3);

    const TextRead exact = ReadText(From(std::string(100, 'b')), 100);
    EXPECT_EQ(exact.bytes.size(), 100u);
    EXPECT_TRUE(exact.complete);
    const TextRead over = ReadText(From(std::string(101, 'b')), 100);
    EXPECT_EQ(over.bytes.size(), 100u);
    EXPECT_FALSE(over.complete);
    EXPECT_FALSE(ReadText(From("x"), 0).complete);
    EXPECT_TRUE(ReadText(From(""), 0).complete);
}

TEST(ReadText, AZeroByteEndsTheTextAndTheRead) {
    EndlessSource zeros{'\0'};
    const TextRead none = ReadText(std::ref(zeros), kDefaultReadLimit);
    EXPECT_EQ(none.bytes, "");
    EXPECT_TRUE(none.complete);
    EXPECT_EQ(zeros.calls, 1);

    using namespace std::string_literals;
    const TextRead text = ReadText(From("ab\r\ncd\0ef"s), 100);
    EXPECT_EQ(text.bytes, "ab\r\ncd");
    EXPECT_TRUE(text.complete);
    // A text that ends with a zero byte just past the limit still goes on past it.
    EXPECT_FALSE(ReadText(From("abc\0"s), 2).complete);
    EXPECT_TRUE(ReadText(From("ab\0c"s), 2).complete);
}

TEST(ReadFile, RefusesAFileLargerThanTheLimitNamingTheLimit) {
    TempDir dir;
    const std::string path = dir / "big.txt";
    WriteFile(path, "0123456789");
    EXPECT_EQ(ReadFileBytes(path, 10), "0123456789");
    EXPECT_EQ(ErrorOf([&] { ReadFileBytes(path, 9); }),
              "ファイル " + path + " は大きすぎます (上限は 9 バイトです)");
    try {
        ReadFileBytes(path, 9, FileKind::Regular);
        ADD_FAILURE() << "no error";
    } catch (const FileTooLargeError& e) {
        EXPECT_EQ(e.limit(), 9u);
    }
    // The first bytes can still be had.
    const TextRead head = ReadFileText(path, 4);
    EXPECT_EQ(head.bytes, "0123");
    EXPECT_FALSE(head.complete);

    // A file too large is refused by its size, before anything is read.
    const std::string huge = dir / "huge.txt";
    WriteSparse(huge, kDefaultReadLimit + 1, "text");
    EXPECT_EQ(ErrorOf([&] { ReadFileBytes(huge); }),
              "ファイル " + huge + " は大きすぎます (上限は 1073741824 バイトです)");
    EXPECT_EQ(SplitLines(ReadFileBytes(huge, kDefaultReadLimit + 1)),
              std::vector<std::string>{"text"});
}

// FIFOs and devices are POSIX things.
#ifndef _WIN32
using tinsora::test::ReleaseFifo;

TEST(ReadFile, ForRegularFilesOnlyRefusesFifosDevicesAndFoldersWithoutWaiting) {
    TempDir dir;
    const std::string fifo = dir / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir / "", dir / "missing"}) {
        Watchdog watchdog(2s, ReleaseFifo(fifo));
        EXPECT_EQ(ErrorOf([&] { ReadFileBytes(path, kDefaultReadLimit, FileKind::Regular); }),
                  "ファイル " + path + " は開けません");
        EXPECT_EQ(ErrorOf([&] { ReadFileText(path, 10, FileKind::Regular); }),
                  "ファイル " + path + " は開けません");
        EXPECT_TRUE(watchdog.Stop()) << path << " was waited on";
    }
    // Any kind of file but a folder, otherwise.
    EXPECT_EQ(ErrorOf([&] { ReadFileBytes(dir / ""); }),
              "ファイル " + (dir / "") + " は開けません");
}

TEST(ReadFile, ReadsAFifoToItsEndAndADeviceToItsFirstZeroByte) {
    TempDir dir;
    const std::string fifo = dir / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string text(300000, 'x');
    std::thread writer([&] { WriteFile(fifo, text); });
    const std::string read = ReadFileBytes(fifo);
    writer.join();
    EXPECT_EQ(read, text);

    std::thread more([&] { WriteFile(fifo, text); });
    EXPECT_EQ(ErrorOf([&] { ReadFileBytes(fifo, text.size() - 1); }),
              "ファイル " + fifo + " は大きすぎます (上限は 299999 バイトです)");
    more.join();

    EXPECT_EQ(ReadFileBytes("/dev/zero"), "");
}
#endif
