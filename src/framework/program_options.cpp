#include "framework/program_options.h"

#include "res/version.h"

namespace nl {

std::optional<int> HotKeyIdOfCommand(std::string_view name) {
    for (const OutsideCommand& command : kOutsideCommands)
        if (command.name == name) return command.hotKeyId;
    return std::nullopt;
}

std::string OutsideCommandNames() {
    std::string names;
    for (const OutsideCommand& command : kOutsideCommands) {
        if (!names.empty()) names += ", ";
        names += command.name;
    }
    return names;
}

namespace {

std::string CommandError(const std::string& what) {
    return what + "; the commands are: " + OutsideCommandNames();
}

}  // namespace

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments,
                                   UnknownOptions unknown) {
    ProgramOptions options;
    const std::string withValue = std::string(kCommandOption) + "=";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kEndOfOptions) {
            options.rest.insert(options.rest.end(), arguments.begin() + static_cast<long>(i) + 1,
                                arguments.end());
            break;
        }
        if (argument == kHelpOption) {
            options.help = true;
            continue;
        }
        if (argument == kVersionOption) {
            options.version = true;
            continue;
        }
        std::optional<std::string> name;
        if (argument == kCommandOption) {
            if (i + 1 == arguments.size()) {
                options.error = CommandError("--command needs a command name");
                return options;
            }
            name = arguments[++i];
        } else if (argument.starts_with(withValue)) {
            name = argument.substr(withValue.size());
        }
        if (!name) {
            if (unknown == UnknownOptions::kRefuse && argument.size() > 1 &&
                argument.front() == '-') {
                options.error = "unknown option \"" + argument + "\"";
                return options;
            }
            options.rest.push_back(argument);
            continue;
        }
        if (!options.command.empty()) {
            options.error = CommandError("only one --command can be given");
            return options;
        }
        if (!HotKeyIdOfCommand(*name)) {
            options.error = CommandError("unknown command \"" + *name + "\"");
            return options;
        }
        options.command = *name;
    }
    return options;
}

std::string CommandNotTakenMessage(std::string_view command) {
    return "the running instance did not take the command \"" + std::string(command) + "\"";
}

std::string ProgramUsage(std::string_view program) {
    const std::string name(program);
    return ProgramUsageLine(program) + "\n" + "       " + name +
           " --command NAME [DOCUMENT.nlz]\n"
           "\n"
           "Starts NerimLens, or hands the document to the instance that runs already and\n"
           "shows it.\n"
           "\n"
           "  --command NAME  run a hot-key command in the running instance (starting it\n"
           "                  first when none runs), for the desktop's own key bindings.\n"
           "                  NAME is one of: " +
           OutsideCommandNames() +
           "\n"
           "  --version       show the version and end\n"
           "  --help          show this text and end\n"
           "  --              take every later argument as a document\n";
}

std::string ProgramUsageLine(std::string_view program) {
    return "Usage: " + std::string(program) + " [DOCUMENT.nlz]";
}

std::string ProgramVersion(std::string_view program) {
    return std::string(program) + " " + kProductVersionText + "\n";
}

}  // namespace nl
