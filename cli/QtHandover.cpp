// arborix-cli without Qt passes a command that needs GraphML or a picture to
// arborix-cli-qt, installed next to it, with the same arguments.

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include <unistd.h>

#include "CliSession.h"
#include "QtFormats.h"

bool NeedsQtFormats(const CliArguments& args) {
    if (args.empty()) return false;
    if (args[0] == "render") return true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[0] == "planarity" && args[i] == "--replay") return true;
        if (ExtensionOf(args[i]) == ".graphml") return true;
    }
    return false;
}

int HandOverToQtProgram(char** argv) {
    // Only ever the program beside this one: never one found by a search of the path or
    // the working folder.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        std::string program(self, std::size_t(length));
        program.erase(program.find_last_of('/') + 1);
        program += "arborix-cli-qt";
        std::cout.flush();
        execv(program.c_str(), argv);
        // Only reached when the program could not be started.
        std::cerr << "arborix-cli: " << program << ": " << std::strerror(errno) << '\n';
    }
    std::cout << kNoQtFormats << '\n';
    return kExitFailed;
}
