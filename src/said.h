#pragma once

// The program's words in the user's language. Texts made in plain C++ (the reasons of a failure
// raised in the pictures', the files' or the network's code, the lists' field names) are written
// in Chinese and pass through said() with a context, as Qt's own texts pass through tr(); the
// program points it at Qt's translations once, before any other thread starts. Until then, and
// in a program that never does (the tests of a single part), every text is said as written.

#include <initializer_list>
#include <string>

// A text said later, in a table or a constant: said(context, text) says it where it is used.
#define SAID_LATER(context, text) text

namespace veltaro {

using Translation = std::string (*)(const char *context, const char *text);

inline Translation &translationInUse()
{
    static Translation translation = nullptr;
    return translation;
}

inline std::string said(const char *context, const char *text)
{
    const Translation translation = translationInUse();
    return translation ? translation(context, text) : std::string(text);
}

// `text` with %1, %2 … replaced by `values` in turn, so that a sentence is translated whole.
inline std::string filled(std::string text, std::initializer_list<std::string> values)
{
    int number = 1;
    for (const std::string &value : values) {
        const std::string mark = "%" + std::to_string(number++);
        if (const auto at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), value);
    }
    return text;
}

} // namespace veltaro
