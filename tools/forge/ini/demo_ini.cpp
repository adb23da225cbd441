#include "forge/ini/ini_files.h"

std::string DemoIni()
{
    // The value needs its decimal point: "1" would be read as an integer and
    // the record ignored.
    return "# music volume, 0.0 to 1.0\n"
           "volume 0.7\n";
}
