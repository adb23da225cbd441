#pragma once
// Points the process-wide log at a fresh temporary file for the life of one
// test, and reads back what was written.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "support/log.h"

class LogCapture {
public:
    LogCapture()
    {
        char pattern[] = "/tmp/rewind-log-XXXXXX";
        int descriptor = mkstemp(pattern);
        if (descriptor >= 0) {
            close(descriptor);
        }
        path = pattern;
        g_log->SetFile(path.c_str());
    }

    ~LogCapture()
    {
        g_log->SetFile(nullptr);
        std::remove(path.c_str());
    }

    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string Text() const
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream contents;
        contents << file.rdbuf();
        return contents.str();
    }

    // Forgets what has been written so far.
    void Clear() const { std::fclose(std::fopen(path.c_str(), "w")); }

    const std::string& Path() const { return path; }

private:
    std::string path;
};
