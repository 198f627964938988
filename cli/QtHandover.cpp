// arborix-cli passes a command that needs GraphML or a picture to the program beside it
// that has them, with the same arguments.

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include <unistd.h>

#include "CliSession.h"
#include "QtFormats.h"

bool HasGraphMl() { return QtFormats() && QtFormats()->readGraphMl; }
bool HasPictures() { return QtFormats() && QtFormats()->exportDrawing; }

FormatsNeeded FormatsNeededBy(const CliArguments& args) {
    if (args.empty()) return FormatsNeeded::None;
    if (args[0] == "render") return FormatsNeeded::Pictures;
    FormatsNeeded need = FormatsNeeded::None;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[0] == "planarity" && args[i] == "--replay") return FormatsNeeded::Pictures;
        if (ExtensionOf(args[i]) == ".graphml") need = FormatsNeeded::GraphMl;
    }
    return need;
}

int HandOver(char** argv, const char* program, const char* lacking) {
    // Only ever the program beside this one: never one found by a search of the path or
    // the working folder.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        std::string path(self, std::size_t(length));
        path.erase(path.find_last_of('/') + 1);
        path += program;
        std::cout.flush();
        execv(path.c_str(), argv);
        // Only reached when the program could not be started.
        std::cerr << "arborix-cli: " << path << ": " << std::strerror(errno) << '\n';
    }
    std::cout << lacking << '\n';
    return kExitFailed;
}
