#pragma once

#include <string>
#include <vector>

namespace tinsora::test {

struct ProgramResult {
    int status = -1; ///< exit status, or -1 when the program did not exit normally
    std::string out; ///< standard output
    std::string err; ///< standard error
};

/// Runs a program with arguments (no shell), optionally feeding standard input.
ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::string& input = {});

} // namespace tinsora::test
