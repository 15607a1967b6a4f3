#include "cli.h"

#ifdef QUENDRA_HAS_RENDER
#include "cli_render.h"
#endif

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string exeDir = ec ? std::string(".") : exe.parent_path().string();
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef QUENDRA_HAS_RENDER
    // Drawing needs the window libraries, which only the program's build has.
    if (!args.empty() && args[0] == "render")
        return quendra::RunRenderCommand({args.begin() + 1, args.end()}, exeDir, std::cout,
                                         std::cerr);
#endif
    return quendra::RunCli(args, exeDir, std::cin, std::cout, std::cerr);
}
