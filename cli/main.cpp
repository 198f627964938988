// arborix-cli and arborix-cli-qt: run Arborix's algorithms on files without a window. The
// output is the program's own message text, one message per line, so scripts can check it.

#include "CliSession.h"
#include "Commands.h"
#include "QtFormats.h"

int main(int argc, char** argv) {
    CliSession::LeaveDocumentAtExit();
    CliArguments args(argv + 1, argv + argc);
    if (!QtFormats() && NeedsQtFormats(args)) return HandOverToQtProgram(argv);
    return RunCli(args);
}
