#pragma once
// Windows file names on this file system. The system names its files the
// Windows way ("obj\a.scene", "data\layer.ini"); this is the one place that
// turns such a name into a path here.

#include <cstdio>
#include <string>

// Backslashes become '/'. Like the Windows file system, a name matches a file
// whatever the case of its letters: where the exact path does not exist, each
// component is looked up without regard to case.
std::string NativeFileName(const char* windowsName);

// fopen with a C runtime mode string ("rb", "rt", "wb", ...). Text modes read
// as binary here; readers of text files accept "\r\n" line ends themselves.
FILE* OpenWindowsFile(const char* windowsName, const char* mode);
