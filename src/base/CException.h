#pragma once
#include <exception>
#include <string>

namespace nl {

// The base of the program's errors: each carries the text the user is shown. Code that only
// reports an error catches this class; code that acts on the kind of error catches the
// derived one.
class CException : public std::exception {
public:
    // The user's text for this error.
    virtual const std::string& Message() const noexcept = 0;
    const char* what() const noexcept override { return Message().c_str(); }
};

}  // namespace nl
