#include "cli/CompletionCommand.h"

#include <map>
#include <memory>
#include <vector>

namespace nl::cli {
namespace {

constexpr const char* kShellBash = "bash";

// A command's visible subcommands: those of an empty group are hidden from help and from
// completion alike.
std::vector<const CLI::App*> VisibleSubcommands(const CLI::App& command) {
    std::vector<const CLI::App*> visible;
    for (const CLI::App* sub : command.get_subcommands({}))
        if (!sub->get_group().empty()) visible.push_back(sub);
    return visible;
}

// The values each option completes, set as the commands register their options.
std::map<const CLI::Option*, std::vector<std::string>>& OptionValues() {
    static std::map<const CLI::Option*, std::vector<std::string>> values;
    return values;
}

// `text` inside a bash $'...' string.
std::string AnsiCQuoted(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == '\'') out += '\\';
        out += c;
    }
    return out;
}

// The "case $prev" of a command's options with values: the option's names as the pattern,
// its values, one a line, as the words.
std::string ValueBranches(const CLI::App& command) {
    std::string branches;
    for (const CLI::Option* option : command.get_options()) {
        const auto found = OptionValues().find(option);
        if (found == OptionValues().end() || option->get_group().empty()) continue;
        std::string pattern;
        for (const std::string& name : option->get_lnames())
            pattern += (pattern.empty() ? "" : "|") + std::string("--") + name;
        for (const std::string& name : option->get_snames())
            pattern += (pattern.empty() ? "" : "|") + std::string("-") + name;
        std::string words;
        for (const std::string& value : found->second)
            words += (words.empty() ? "" : "\\n") + AnsiCQuoted(value);
        branches += " " + pattern + ") values=$'" + words + "' ;;";
    }
    return branches.empty() ? std::string() : " case $prev in" + branches + " esac;";
}

std::string OptionWords(const CLI::App& command) {
    std::string words;
    for (const CLI::Option* option : command.get_options()) {
        if (!option->nonpositional() || option->get_group().empty()) continue;
        for (const std::string& name : option->get_lnames()) words += " --" + name;
        for (const std::string& name : option->get_snames()) words += " -" + name;
    }
    return words;
}

// The "case" branches of the script: the subcommand paths (" doc add") a typed word extends,
// the words each path completes, and the paths whose next word must be a subcommand.
struct Branches {
    std::string paths;
    std::string words;
    std::string parents;
};

void AddBranches(const CLI::App& command, const std::string& path, Branches& branches) {
    const std::vector<const CLI::App*> subs = VisibleSubcommands(command);
    std::string names;
    for (const CLI::App* sub : subs) names += (names.empty() ? "" : " ") + sub->get_name();
    branches.words += "        \"" + path + "\") commands=\"" + names + "\" options=\"" +
                      OptionWords(command) + "\";" + ValueBranches(command) + " ;;\n";
    if (!subs.empty()) branches.parents += (branches.parents.empty() ? "\"" : "|\"") + path + "\"";
    for (const CLI::App* sub : subs) {
        const std::string subPath = path + " " + sub->get_name();
        branches.paths += "            \"" + subPath + "\") path=\"$path $word\" ;;\n";
        AddBranches(*sub, subPath, branches);
    }
}

}  // namespace

std::string BashCompletion(const CLI::App& app) {
    const std::string program = app.get_name();
    std::string function = "_";
    for (const char c : program) function += (c == '-') ? '_' : c;
    Branches branches;
    AddBranches(app, "", branches);
    return "# bash completion of " + program + ", written by \"" + program +
           " completion bash\"\n" + function +
           "() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} path=\"\"\n"
           "    local word i commands options values=\"\"\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        word=${COMP_WORDS[i]}\n"
           "        case \"$path $word\" in\n" +
           branches.paths +
           // A word that names no subcommand where one belongs: nothing more to complete.
           "            *) if [[ $word != -* ]]; then\n"
           "                   case \"$path\" in " +
           branches.parents +
           ") path=\"$path ?\" ;; esac\n"
           "               fi ;;\n"
           "        esac\n"
           "    done\n"
           "    case \"$path\" in\n" +
           branches.words +
           "        *) return 0 ;;\n"
           "    esac\n"
           // An option's value: the table's names, each quoted for the command line.
           "    if [[ -n $values ]]; then\n"
           "        mapfile -t COMPREPLY < <(IFS=$'\\n'; compgen -W \"$values\" -- \"$cur\" |\n"
           "            while IFS= read -r word; do printf '%q\\n' \"$word\"; done)\n"
           "    elif [[ $cur == -* ]]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
           "    elif [[ -n $commands ]]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W \"$commands\" -- \"$cur\")\n"
           "    fi\n"
           "}\n"
           "complete -o default -F " +
           function + " " + program + "\n";
}

void CompleteValues(const CLI::Option* option, std::vector<std::string> values) {
    OptionValues()[option] = std::move(values);
}

void RegisterCompletionCommand(CLI::App& app, std::string& output) {
    CLI::App* completion = app.add_subcommand("completion", "Write a shell completion script");
    completion->group("");
    auto shell = std::make_shared<std::string>();
    completion->add_option("SHELL", *shell, "The shell (bash)")
        ->required()
        ->check(CLI::IsMember({kShellBash}));
    completion->callback([&app, &output, shell] { output += BashCompletion(app); });
}

}  // namespace nl::cli
