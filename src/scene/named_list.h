#pragma once
// A list of values kept under names, walked in the order they were added.
// Names compare without regard to the case of ASCII letters, and the first
// definition of a name wins: adding a name that already holds a value does
// nothing. The list does not own its values.

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// ASCII letters only: the scene's names are plain ASCII.
bool SceneNamesEqual(const char* a, const char* b);

// The name with its ASCII letters lowered: two names have the same key
// exactly when SceneNamesEqual finds them equal.
std::string SceneNameKey(const char* name);

// Lookups go through an index by key, so that adding and finding stay quick
// in a scene of hundreds of thousands of names.
template <typename T>
class NamedList {
public:
    struct Entry {
        T* value;
        std::string name;
    };

    // False when the name already holds a value and `value` was not added.
    // An entry without a value holds nothing: a later value of its name is
    // added, though Find keeps answering with the first entry.
    bool Add(const char* name, T* value)
    {
        auto [place, added] = byName.try_emplace(SceneNameKey(name), NameIndex{entries.size(), false});
        if (place->second.holdsValue) {
            return false;
        }
        place->second.holdsValue = value != nullptr;
        entries.push_back(Entry{value, name});
        return true;
    }

    // The value of the first entry of that name, or null.
    T* Find(const char* name) const
    {
        if (name == nullptr) {
            return nullptr;
        }
        const auto found = byName.find(SceneNameKey(name));
        return found != byName.end() ? entries[found->second.first].value : nullptr;
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
    struct NameIndex {
        std::size_t first;  // the entry Find answers with
        bool holdsValue;    // some entry of this name has a value
    };

    std::vector<Entry> entries;
    std::unordered_map<std::string, NameIndex> byName;
};
