#include "cli.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string exeDir = ec ? std::string(".") : exe.parent_path().string();
    return quendra::RunCli(std::vector<std::string>(argv + 1, argv + argc), exeDir, std::cin,
                           std::cout, std::cerr);
}
