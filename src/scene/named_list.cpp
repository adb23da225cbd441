#include "scene/named_list.h"

namespace {

char LowerAscii(char character)
{
    return character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
}

} // namespace

bool SceneNamesEqual(const char* a, const char* b)
{
    if (a == nullptr || b == nullptr) {
        return false;
    }
    while (*a != '\0' && LowerAscii(*a) == LowerAscii(*b)) {
        ++a;
        ++b;
    }
    return LowerAscii(*a) == LowerAscii(*b);
}

std::string SceneNameKey(const char* name)
{
    std::string key = name;
    for (char& character : key) {
        character = LowerAscii(character);
    }
    return key;
}
