// The show's executable: the command line as one string, as Windows hands it
// to WinMain, and the data files' directory made the current one first.

#include <string>

#include "app/demo.h"
#include "launch/data_directory.h"
#include "launch/show_command_line.h"
#include "launch/standard_options.h"
#include "platform/win32/window.h"

int main(int argumentCount, char** arguments)
{
    if (const auto answered = AnswerStandardOptions(argumentCount, arguments, "rewind", showUsage)) return *answered;
    ShowCommandLine commandLine = ReadShowCommandLine(argumentCount, arguments);
    if (!commandLine.unknownOption.empty()) {
        return RefuseCommandLine("rewind", ("unknown option " + commandLine.unknownOption).c_str(), showUsage);
    }
    if (!EnterShowDataDirectory("rewind")) return kNoDataExitCode;
    static int module;
    return WinMain(reinterpret_cast<HINSTANCE>(&module), nullptr, commandLine.text.data(), SW_SHOWDEFAULT);
}
