// The show's executable: the command line as one string, as Windows hands it
// to WinMain, and the data files in the current directory.

#include <string>

#include "app/demo.h"
#include "platform/win32/window.h"

int main(int argumentCount, char** arguments)
{
    std::string commandLine;
    for (int index = 1; index < argumentCount; ++index) {
        if (index > 1) commandLine += ' ';
        commandLine += arguments[index];
    }
    static int module;
    return WinMain(reinterpret_cast<HINSTANCE>(&module), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
