#pragma once
// --help and --version, answered the same way by every rewind executable, as
// GNU programs do: usage on standard output and exit code 0; an unknown
// option gets the usage on standard error and exit code 2.

#include <optional>

constexpr int kUsageExitCode = 2;

// When the command line holds --help or --version (the first one wins):
// prints the answer and returns the exit code 0. Otherwise nothing.
std::optional<int> AnswerStandardOptions(int argumentCount, char** arguments, const char* programName,
                                         const char* usage);

// Prints "NAME: PROBLEM" and the usage on standard error; returns 2.
int RefuseCommandLine(const char* programName, const char* problem, const char* usage);
