#include "json_writer.h"

#include <cmath>

void JsonWriter::Key(const char* key)
{
    if (!first.back()) {
        std::fputc(',', out);
    }
    first.back() = false;
    std::fputc('\n', out);
    for (std::size_t i = 1; i < first.size(); ++i) {
        std::fputs("  ", out);
    }
    if (key != nullptr) {
        Quoted(key);
        std::fputs(": ", out);
    }
}

void JsonWriter::Quoted(const std::string& text)
{
    std::fputc('"', out);
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            std::fprintf(out, "\\%c", c);
        } else if (c < 0x20 || c >= 0x7F) {
            std::fprintf(out, "\\u%04x", c);
        } else {
            std::fputc(c, out);
        }
    }
    std::fputc('"', out);
}

void JsonWriter::BeginObject(const char* key)
{
    if (first.size() > 1 || !first.back()) Key(key);
    std::fputc('{', out);
    first.push_back(true);
}

void JsonWriter::EndObject()
{
    first.pop_back();
    std::fputs("}", out);
    if (first.size() == 1) std::fputc('\n', out);
}

void JsonWriter::BeginArray(const char* key)
{
    Key(key);
    std::fputc('[', out);
    first.push_back(true);
}

void JsonWriter::EndArray()
{
    first.pop_back();
    std::fputc(']', out);
}

void JsonWriter::String(const char* key, const std::string& value)
{
    Key(key);
    Quoted(value);
}

void JsonWriter::Number(const char* key, double value)
{
    Key(key);
    if (std::isfinite(value)) {
        std::fprintf(out, "%.9g", value);
    } else {
        std::fputs("null", out);
    }
}

void JsonWriter::Integer(const char* key, long long value)
{
    Key(key);
    std::fprintf(out, "%lld", value);
}

void JsonWriter::Bool(const char* key, bool value)
{
    Key(key);
    std::fputs(value ? "true" : "false", out);
}

void JsonWriter::Null(const char* key)
{
    Key(key);
    std::fputs("null", out);
}

void JsonWriter::Floats(const char* key, const float* values, int count)
{
    Key(key);
    std::fputc('[', out);
    for (int i = 0; i < count; ++i) {
        if (i > 0) std::fputs(", ", out);
        if (std::isfinite(values[i])) {
            std::fprintf(out, "%.7g", values[i]);
        } else {
            std::fputs("null", out);
        }
    }
    std::fputc(']', out);
}
