#pragma once

#include <string>
#include <vector>

namespace tinsora::test {

struct ProgramResult {
    int status = -1; ///< exit status, or -1 when the program did not exit normally
    std::string out; ///< standard output
    std::string err; ///< standard error
};

/// Where the program's standard output goes.
enum class Output {
    Captured, ///< into ProgramResult::out
    Closed,   ///< nowhere: the program starts with it closed
    DevFull,  ///< the device /dev/full, where every write fails (not on Windows)
};

/// Runs a program with arguments (no shell), optionally feeding standard input.
/// Arguments are UTF-8 on every platform. The program runs in the locale given (LC_ALL, with no
/// LANGUAGE), whatever the tests run in: the messages it writes depend on it.
ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::string& input = {}, Output output = Output::Captured,
                         const char* locale = "ja_JP.UTF-8");

} // namespace tinsora::test
