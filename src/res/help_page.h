#pragma once
#include <string>

namespace nl {

// The program's help page as HTML: what each tool does and every key of the main window and
// of the ruler with what it does, built from the command, key and string tables so that it
// always agrees with the program.
std::string BuildHelpPage();

}  // namespace nl
