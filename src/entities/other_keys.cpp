#include "entities/other_keys.h"

#include <algorithm>

namespace vorn {
namespace {

bool contains(std::span<const std::string> keys, std::string_view key)
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

std::optional<std::string> ValueProblem(std::string_view value)
{
    // A quote inside a value would end it early, and the map could not be read back.
    if (value.find('"') != std::string_view::npos) return "Keys and values cannot contain a double quote.";
    return std::nullopt;
}

OtherKeys::OtherKeys(const CQEntity& entity, std::span<const std::string> ownKeys)
{
    for (const CQKeyValue& pair : entity.pairs()) {
        const std::string_view key = Unquoted(pair.key);
        if (!contains(ownKeys, key)) rows_.push_back({std::string(key), std::string(Unquoted(pair.value))});
    }
}

std::optional<std::string> OtherKeys::keyProblem(int row, std::string_view key, std::span<const std::string> ownKeys) const
{
    if (key.empty()) return "A key needs a name.";
    if (auto problem = ValueProblem(key)) return problem;
    const std::string quotedKey = "\"" + std::string(key) + "\"";
    if (contains(ownKeys, key)) return "The dialog writes the key " + quotedKey + " itself.";
    for (int i = 0; i < count(); ++i) {
        if (i != row && rows_[static_cast<size_t>(i)].key == key) return "The key " + quotedKey + " is already in the list.";
    }
    return std::nullopt;
}

std::optional<std::string> OtherKeys::add(std::string key, std::string value, std::span<const std::string> ownKeys)
{
    if (auto problem = keyProblem(-1, key, ownKeys)) return problem;
    if (auto problem = ValueProblem(value)) return problem;
    rows_.push_back({std::move(key), std::move(value)});
    return std::nullopt;
}

std::optional<std::string> OtherKeys::set(int row, std::string key, std::string value, std::span<const std::string> ownKeys)
{
    if (auto problem = keyProblem(row, key, ownKeys)) return problem;
    if (auto problem = ValueProblem(value)) return problem;
    rows_[static_cast<size_t>(row)] = {std::move(key), std::move(value)};
    return std::nullopt;
}

void OtherKeys::remove(int row)
{
    rows_.erase(rows_.begin() + row);
}

std::optional<std::string> OtherKeys::take(std::string_view key)
{
    const auto found = std::ranges::find(rows_, key, &Row::key);
    if (found == rows_.end()) return std::nullopt;
    std::string value = std::move(found->value);
    rows_.erase(found);
    return value;
}

std::optional<std::string> OtherKeys::problem(std::span<const std::string> ownKeys) const
{
    for (int i = 0; i < count(); ++i) {
        const Row& row = rows_[static_cast<size_t>(i)];
        if (auto problem = keyProblem(i, row.key, ownKeys)) return problem;
        if (auto problem = ValueProblem(row.value)) return problem;
    }
    return std::nullopt;
}

void OtherKeys::appendTo(std::vector<CQKeyValue>& pairs) const
{
    for (const Row& row : rows_) pairs.push_back({Quoted(row.key), Quoted(row.value)});
}

} // namespace vorn
