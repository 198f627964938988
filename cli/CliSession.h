#pragma once
// One document opened without a window: a headless platform that prints every message
// on a line of its own, and an editor view that carries the guides saved in the file.

#include <iosfwd>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "io/FileIO.h"
#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

// Exit statuses of arborix-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // a file could not be opened or written, or a command failed
inline constexpr int kExitUsage = 2;

// Command-line arguments after the command name: positional arguments, flags and
// options with a value.
class CliArgs {
public:
    // `valued` names the options that take a value (e.g. "-o", "--seed").
    CliArgs(std::vector<std::string> args, const std::set<std::string>& valued);
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Flag(const std::string& name) const { return m_flags.count(name) != 0; }
    const std::string* Option(const std::string& name) const;

private:
    std::vector<std::string> m_positional;
    std::set<std::string> m_flags;
    std::map<std::string, std::string> m_options;
    std::string m_error;
};

class CliSession {
public:
    // answerYes: questions are answered with OK (otherwise Cancel).
    explicit CliSession(bool answerYes = false);
    ~CliSession();
    // From now on a session's document is left to the end of the process instead of
    // being taken apart: for the program, which runs one command and exits.
    static void LeaveDocumentAtExit();

    // Opens an ".lxd" file, or imports a ".graphml", ".dot", ".gv" or ".gml" one; false
    // after printing why.
    bool Open(const std::string& path);
    // Saves by extension (".lxd", ".txt", ".graphml"); false after printing why.
    bool SaveAs(const std::string& path);

    CLattixDoc& Doc() { return *m_doc; }
    CLattixView& View() { return m_view; }
    HeadlessPlatform& Platform() { return m_platform; }

private:
    HeadlessPlatform m_platform;
    CLattixView m_view;
    std::unique_ptr<CLattixDoc> m_doc;
};

// Parses a whole decimal integer; false when the text is not one.
bool ParseInt(const std::string& text, long long& value);
