#include "entities/entity_class.h"

#include "map/text_reader.h"
#include "platform/debug_output.h"
#include "platform/file_reading.h"

#include <cstdio>

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
    name_ = nextToken(in);
    nextToken(in);
    color_ = readTriple(in);
    nextToken(in);

    if (nextToken(in) == "(") {
        mins_ = readTriple(in);
        nextToken(in);
        nextToken(in);
        maxs_ = readTriple(in);
        nextToken(in);
        fixedSize_ = true;
    }

    std::string_view token = nextToken(in);
    for (size_t slot = 0; !endsFlags(token); token = nextToken(in), ++slot) {
        if (slot < flagNames_.size()) flagNames_[slot] = token; // names past the eighth bit are dropped
    }
    if (token == kHelpStart) readHelp(in);
}

// Words up to ":END"; every further "COMMENT:" starts a new line. Lines past the last one a
// class can hold are read and dropped.
void EntityClass::readHelp(TextCursor& in)
{
    comments_.assign(1, std::string());
    int line = 0;
    std::string_view token = nextToken(in);
    while (!token.empty() && token != kEntryEnd) {
        if (line < kMaxCommentLines) {
            comments_.back() += token;
            comments_.back() += ' ';
        }
        token = nextToken(in);
        if (token == kHelpStart) {
            ++line;
            if (line < kMaxCommentLines) comments_.emplace_back();
            token = nextToken(in);
        }
    }
}

void EntityClass::reset()
{
    name_.clear();
    flagNames_.fill(std::string());
    comments_.clear();
    valid_ = false;
}

std::string EntityClass::commentLine(int n) const
{
    if (n < 0 || n >= commentCount()) return {};
    return comments_[static_cast<size_t>(n)];
}

std::string EntityClass::flagName(int n, DebugOutput& log) const
{
    if (n < 0 || n >= kFlagCount) {
        log.debugOutput("EntityClass flagName: bad number\n");
        return {};
    }
    return flagNames_[static_cast<size_t>(n)];
}

bool EntityClassList::loadFile(const std::string& path, DebugOutput& log)
{
    std::string text;
    if (!readFile(path, text, log)) return false;
    loadText(text);
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
    for (;;) {
        EntityClass entry;
        entry.Serialize(in);
        if (!entry.isValid()) return;
        classes_.push_back(std::move(entry));
    }
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
