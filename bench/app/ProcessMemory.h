#pragma once

// The memory of a process as Linux tells it in /proc (benchmarking code, not part
// of the program): what is resident now and at its peak, and the peak set back.

#include <cstring>
#include <fstream>
#include <string>

namespace bench {

/// A field of /proc/PID/status in MiB ("VmRSS:", "VmHWM:"); -1 when it cannot be read.
inline double StatusMegabytes(const char* field, const std::string& pid = "self") {
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::stod(line.substr(length + 1)) / 1024.0; // in kB
    return -1;
}

/// Sets the peak (VmHWM) back to what is resident now.
inline void ResetPeak(const std::string& pid = "self") {
    std::ofstream("/proc/" + pid + "/clear_refs") << "5";
}

} // namespace bench
