#pragma once
// A small JSON writer for the inspector: objects and arrays nested by hand,
// floats that are not finite written as null.

#include <cstdio>
#include <string>
#include <vector>

class JsonWriter {
public:
    explicit JsonWriter(std::FILE* out) : out(out) {}

    void BeginObject(const char* key = nullptr);
    void EndObject();
    void BeginArray(const char* key = nullptr);
    void EndArray();
    void String(const char* key, const std::string& value);
    void Number(const char* key, double value);
    void Integer(const char* key, long long value);
    void Bool(const char* key, bool value);
    void Null(const char* key);
    void Floats(const char* key, const float* values, int count);

private:
    void Key(const char* key);
    void Quoted(const std::string& text);

    std::FILE* out;
    std::vector<bool> first{true};
};
