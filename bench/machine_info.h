// The machine a benchmark ran on, printed beside its figures.
#pragma once

#include <fstream>
#include <string>
#include <thread>

namespace pellandor::bench {

// The processor's model name as the kernel reports it.
inline std::string cpu_model() {
    std::ifstream file("/proc/cpuinfo");
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            const auto start = line.find_first_not_of(' ', colon + 1);
            return start == std::string::npos ? std::string() : line.substr(start);
        }
    }
    return "unknown";
}

// "8 processors, <model name>".
inline std::string machine_text() {
    return std::to_string(std::thread::hardware_concurrency()) + " processors, " + cpu_model();
}

} // namespace pellandor::bench
