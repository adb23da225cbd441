#pragma once
// The process-wide log: one-line, printf-style progress and failure messages.
//
// The system never enables the log itself. A user enables it through the
// environment: REWIND_LOG=path appends every message to that file (opened and
// closed per message, so a crash loses nothing), REWIND_LOG=- writes to
// standard error. Unset, every message is dropped.

#include <cstdio>

class cLog {
public:
    cLog();
    ~cLog();
    cLog(const cLog&) = delete;
    cLog& operator=(const cLog&) = delete;

    // Formats the message (cut to 254 characters) and appends it to the log,
    // when the log is enabled.
    void Print(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Sends the log to a file (appended), or to standard error for "-";
    // a null name disables it.
    void SetFile(const char* name);

    bool IsEnabled() const { return enabled; }

private:
    char* fileName = nullptr;
    FILE* stream = nullptr;
    bool enabled = false;
    char text[255] = {};
};

// Created before the entry point runs and never destroyed. Callers test it
// before every Print; it is null only while other static initialisers run.
extern cLog* g_log;
