#pragma once
// A list of values kept under names, walked in the order they were added.
// Names compare without regard to the case of ASCII letters, and the first
// definition of a name wins: adding a name that already holds a value does
// nothing. The list does not own its values.

#include <cstddef>
#include <string>
#include <vector>

// ASCII letters only: the scene's names are plain ASCII.
bool SceneNamesEqual(const char* a, const char* b);

template <typename T>
class NamedList {
public:
    struct Entry {
        T* value;
        std::string name;
    };

    // False when the name already holds a value and `value` was not added.
    bool Add(const char* name, T* value)
    {
        for (const Entry& entry : entries) {
            if (entry.value != nullptr && SceneNamesEqual(entry.name.c_str(), name)) {
                return false;
            }
        }
        entries.push_back(Entry{value, name});
        return true;
    }

    // The value of the first entry of that name, or null.
    T* Find(const char* name) const
    {
        if (name == nullptr) {
            return nullptr;
        }
        for (const Entry& entry : entries) {
            if (SceneNamesEqual(entry.name.c_str(), name)) {
                return entry.value;
            }
        }
        return nullptr;
    }

    // The name under which `value` is listed, or null when it is not listed.
    const char* NameOf(const T* value) const
    {
        for (const Entry& entry : entries) {
            if (entry.value == value && value != nullptr) {
                return entry.name.c_str();
            }
        }
        return nullptr;
    }

    std::size_t Count() const { return entries.size(); }
    typename std::vector<Entry>::const_iterator begin() const { return entries.begin(); }
    typename std::vector<Entry>::const_iterator end() const { return entries.end(); }

private:
    std::vector<Entry> entries;
};
