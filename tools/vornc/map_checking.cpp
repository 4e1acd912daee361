#include "map_checking.h"

#include "editor/editor.h"
#include "document/leak_test.h"
#include "editor/map_check.h"

#include <atomic>
#include <cstdio>
#include <optional>

namespace vorn {
namespace {

struct CheckOptions {
    std::string map;
    std::optional<std::string> entities;
    std::string qbsp;
};

std::optional<CheckOptions> ParseOptions(std::span<const std::string> arguments)
{
    CheckOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--entities" && hasValue) {
            options.entities = arguments[++i];
        } else if (argument == "--qbsp" && hasValue) {
            options.qbsp = arguments[++i];
        } else if (options.map.empty() && !argument.starts_with("--")) {
            options.map = argument;
        } else {
            return std::nullopt;
        }
    }
    if (options.map.empty()) return std::nullopt;
    return options;
}

} // namespace

int CheckMapCommand(Editor& editor, std::span<const std::string> arguments)
{
    const std::optional<CheckOptions> options = ParseOptions(arguments);
    if (!options) return 2;
    if (options->entities) editor.prefs().entityList = *options->entities;
    if (const auto problem = editor.loadEntityClasses()) std::fprintf(stderr, "vornc: %s\n", problem->c_str());
    const auto read = editor.openMap(options->map);
    if (!read) return 1;
    std::vector<Problem> problems = CheckEditorMap(editor);
    bool leakTestFailed = false;
    if (!options->qbsp.empty()) {
        const std::atomic<bool> never{false};
        const LeakTestResult leak = RunLeakTest(options->qbsp, options->map, never);
        if (leak.outcome == LeakTestResult::Outcome::Leaked) problems.push_back({ProblemKind::Leak, LeakMessage(leak.points)});
        if (leak.outcome == LeakTestResult::Outcome::Failed) {
            std::fprintf(stderr, "vornc: the leak test failed: %s\n", leak.failure.c_str());
            leakTestFailed = true;
        }
    }
    for (const Problem& problem : problems) {
        const std::string_view id = ProblemId(problem.kind);
        std::printf("%.*s: %s\n", static_cast<int>(id.size()), id.data(), problem.message.c_str());
    }
    const int count = CountProblems(problems);
    std::printf("problems: %d\n", count);
    return count == 0 && !leakTestFailed ? 0 : 1;
}

} // namespace vorn
