#include "launch/show_command_line.h"

const char* const showUsage =
    "usage: rewind [-win]\n"
    "  Plays the show, full screen, with its music; Escape or F12 ends it.\n"
    "  -win       in a 645x485 window instead of full screen\n"
    "  --help     this text\n"
    "  --version  the version\n"
    "  The data files are looked for in $REWIND_DATA, the current directory,\n"
    "  ../share/rewind beside the executable and show/ beside the executable.\n";

ShowCommandLine ReadShowCommandLine(int argumentCount, char** arguments)
{
    ShowCommandLine commandLine;
    for (int index = 1; index < argumentCount; ++index) {
        const std::string argument = arguments[index];
        if (argument.starts_with('-') && argument.find("-win") == std::string::npos &&
            commandLine.unknownOption.empty()) {
            commandLine.unknownOption = argument;
        }
        if (index > 1) commandLine.text += ' ';
        commandLine.text += argument;
    }
    return commandLine;
}
