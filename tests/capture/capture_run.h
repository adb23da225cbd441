#pragma once
// Runs rewind-capture in a child process from the generated show directory,
// the way a user does, and keeps what it said.

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct CaptureRun {
    int exitCode = -1; // -1: it did not exit normally
    std::string output; // standard output and standard error
};

// `arguments` go to the shell as they are: keep them free of spaces.
inline CaptureRun RunCapture(const std::string& arguments)
{
    const std::string command =
        "cd '" + std::string(REWIND_SHOW_DIR) + "' && '" + REWIND_CAPTURE + "' " + arguments + " 2>&1";
    CaptureRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, read);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}
