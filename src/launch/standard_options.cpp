#include "launch/standard_options.h"

#include <cstdio>
#include <cstring>

#include "rewind_version.h"

std::optional<int> AnswerStandardOptions(int argumentCount, char** arguments, const char* programName,
                                         const char* usage)
{
    for (int index = 1; index < argumentCount; ++index) {
        if (std::strcmp(arguments[index], "--help") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(arguments[index], "--version") == 0) {
            std::printf("%s %s\n", programName, kRewindVersion);
            return 0;
        }
    }
    return std::nullopt;
}

int RefuseCommandLine(const char* programName, const char* problem, const char* usage)
{
    std::fprintf(stderr, "%s: %s\n%s", programName, problem, usage);
    return kUsageExitCode;
}
