#include "entities/entity_class.h"

#include "entities/entity_class_files.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"
#include "platform/file_reading.h"
#include "platform/path_list.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace vorn {
namespace {

constexpr std::string_view kEntryStart = "ENTTYPE:";
constexpr std::string_view kEntryEnd = ":END";
constexpr std::string_view kHelpStart = "COMMENT:";

float readNumber(TextCursor& in) { return static_cast<float>(ParseFloat(nextToken(in))); }

Vec3 readTriple(TextCursor& in)
{
    Vec3 v;
    v.x = readNumber(in);
    v.y = readNumber(in);
    v.z = readNumber(in);
    return v;
}

bool endsFlags(std::string_view token) { return token.empty() || token == kEntryEnd || token == kHelpStart; }

bool readFile(const std::string& path, std::string& text, DebugOutput& log)
{
    FileContents file = ReadWholeFile(path);
    if (file.bytes) {
        text = std::move(*file.bytes);
        return true;
    }
    char reason[48];
    std::snprintf(reason, sizeof reason, " due to error #%i\n", file.errorNumber);
    log.debugOutput("Failed to open " + path + reason);
    return false;
}

} // namespace

void EntityClass::Serialize(TextCursor& in)
{
    *this = EntityClass{}; // no box or colour of an earlier entry survives into this one
    if (nextToken(in) != kEntryStart) return;
    valid_ = true;
    d_.name = nextToken(in);
    nextToken(in);
    d_.color = readTriple(in);
    nextToken(in);

    if (nextToken(in) == "(") {
        d_.mins = readTriple(in);
        nextToken(in);
        nextToken(in);
        d_.maxs = readTriple(in);
        nextToken(in);
        d_.fixedSize = true;
    }

    std::string_view token = nextToken(in);
    for (int slot = 0; !endsFlags(token); token = nextToken(in), ++slot) {
        if (slot < kFlagCount) d_.flags.push_back({slot, std::string(token), false, {}}); // names past the eighth bit are dropped
    }
    if (token == kHelpStart) readHelp(in);
}

// Words up to ":END"; every further "COMMENT:" starts a new line. Lines past the last one a
// class can hold are read and dropped.
void EntityClass::readHelp(TextCursor& in)
{
    std::vector<std::string>& help = d_.help;
    help.assign(1, std::string());
    int line = 0;
    std::string_view token = nextToken(in);
    while (!token.empty() && token != kEntryEnd) {
        if (line < kMaxCommentLines) {
            help.back() += token;
            help.back() += ' ';
        }
        token = nextToken(in);
        if (token == kHelpStart) {
            ++line;
            if (line < kMaxCommentLines) help.emplace_back();
            token = nextToken(in);
        }
    }
}

void EntityClass::reset()
{
    // The box and the colour stay, as an entry always sets them.
    d_ = EntityDefinition{{}, d_.color, d_.fixedSize, d_.mins, d_.maxs};
    valid_ = false;
}

std::string EntityClass::commentLine(int n) const
{
    if (n < 0 || n >= commentCount()) return {};
    return d_.help[static_cast<size_t>(n)];
}

std::string EntityClass::flagName(int n, DebugOutput& log) const
{
    if (n < 0 || n >= kFlagCount) {
        log.debugOutput("EntityClass flagName: bad number\n");
        return {};
    }
    const auto flag = std::ranges::find(d_.flags, n, &EntityFlag::bit);
    return flag == d_.flags.end() ? std::string() : flag->label;
}

const EntityProperty* EntityClass::property(std::string_view key) const
{
    const auto found = std::ranges::find(d_.properties, key, &EntityProperty::key);
    return found == d_.properties.end() ? nullptr : &*found;
}

std::vector<EntityClass> ReadEntityList(TextCursor& in)
{
    std::vector<EntityClass> entries;
    for (;;) {
        EntityClass entry;
        entry.Serialize(in);
        if (!entry.isValid()) return entries;
        entries.push_back(std::move(entry));
    }
}

EntityListRead EntityClassList::loadList(std::string_view list, DebugOutput& log)
{
    EntityListRead result;
    std::vector<EntityClass> merged;
    for (const std::string& path : SplitPathList(list)) {
        std::string text;
        if (!readFile(path, text, log)) {
            result.problems.push_back("Could not read the entity list " + path + ".");
            continue;
        }
        ++result.filesRead;
        ClassFileRead read = ReadClassFile(path, text);
        if (read.problem) {
            result.problems.push_back("The entity list " + path + " is damaged at line " + std::to_string(read.problem->line) +
                                      ": " + read.problem->text + ". The classes before that line are used.");
        }
        // Only an earlier file's class gives way: an entity list may name a class twice.
        std::unordered_map<std::string, size_t> earlier;
        for (size_t i = 0; i < merged.size(); ++i) earlier.try_emplace(merged[i].name(), i);
        for (EntityClass& entry : read.classes) {
            const auto replaced = earlier.find(entry.name());
            if (replaced != earlier.end()) {
                merged[replaced->second] = std::move(entry);
            } else {
                merged.push_back(std::move(entry));
            }
        }
    }
    if (result.filesRead > 0) {
        classes_ = std::move(merged);
        ++generation_;
    }
    return result;
}

bool EntityClassList::loadFile(const std::string& path, DebugOutput& log)
{
    std::string text;
    if (!readFile(path, text, log)) return false;
    classes_ = ReadClassFile(path, text).classes;
    ++generation_;
    return true;
}

bool EntityClassList::loadDefault(DebugOutput& log)
{
    std::string text;
    if (!readFile(kDefaultFileName, text, log)) return false;
    TextCursor in(text);
    Serialize(in);
    return true;
}

void EntityClassList::loadText(std::string_view text)
{
    clear();
    TextCursor in(text);
    Serialize(in);
}

void EntityClassList::Serialize(TextCursor& in)
{
    for (EntityClass& entry : ReadEntityList(in)) classes_.push_back(std::move(entry));
    ++generation_;
}

std::string EntityClassList::nameAt(int i) const
{
    if (i < 0 || i >= count()) return {};
    return classes_[static_cast<size_t>(i)].name();
}

const EntityClass& EntityClassList::find(std::string_view name) const
{
    for (const EntityClass& entry : classes_) {
        if (entry.name() == name) return entry;
    }
    return empty_;
}

std::optional<FixedBoxes::Box> EntityClassList::fixedBox(std::string_view className) const
{
    const EntityClass& entityClass = find(className);
    if (!entityClass.isFixedSize()) return std::nullopt;
    return Box{entityClass.mins(), entityClass.maxs()};
}

} // namespace vorn
