#pragma once
// The show's command line on Linux: the arguments joined into the one string
// WinMain receives on Windows, in which the show looks for its switch "-win".

#include <string>

struct ShowCommandLine {
    std::string text;          // what WinMain gets
    std::string unknownOption; // the first argument that looks like an option the show does not know
};

// An argument that starts with '-' is an option. The show finds "-win"
// anywhere in its command line, so every option containing it ("-win",
// "-window") is its switch; --help and --version are answered before the show
// starts; any other option is refused. Other arguments reach WinMain as they
// always did, and the show ignores them.
ShowCommandLine ReadShowCommandLine(int argumentCount, char** arguments);

extern const char* const showUsage;
