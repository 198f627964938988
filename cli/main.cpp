// arborix-cli, arborix-cli-graphml and arborix-cli-qt: run Arborix's algorithms on files
// without a window. The output is the program's own message text, one message per line,
// so scripts can check it. A program without the formats a command needs hands it over
// (see QtFormats.h).

#include "CliSession.h"
#include "Commands.h"
#include "QtFormats.h"

int main(int argc, char** argv) {
    CliSession::LeaveDocumentAtExit();
    CliArguments args(argv + 1, argv + argc);
    switch (FormatsNeededBy(args)) {
    case FormatsNeeded::Pictures:
        if (!HasPictures()) return HandOver(argv, "arborix-cli-qt", kNoPictures);
        break;
    case FormatsNeeded::GraphMl:
        if (!HasGraphMl()) return HandOver(argv, "arborix-cli-graphml", kNoGraphMl);
        break;
    case FormatsNeeded::None:
        break;
    }
    return RunCli(args);
}
