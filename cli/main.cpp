// arborix-cli: runs Arborix's algorithms on files without a window. Its output is the
// program's own message text, one message per line, so scripts can check it.

#include "CliSession.h"
#include "Commands.h"

int main(int argc, char** argv) {
    CliSession::LeaveDocumentAtExit();
    return RunCli(CliArguments(argv + 1, argv + argc));
}
