#pragma once

#include "map/entity.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The keys of an entity that a properties dialog has no field for, kept in their old order and
// editable as a list. Rows hold keys and values without their quotes.
class OtherKeys {
public:
    struct Row {
        std::string key;
        std::string value;
        friend bool operator==(const Row&, const Row&) = default;
    };

    OtherKeys() = default;
    // Every pair of the entity whose key is not among the dialog's own keys (bare names, as rows).
    OtherKeys(const CQEntity& entity, std::span<const std::string> ownKeys);

    const std::vector<Row>& rows() const { return rows_; }
    int count() const { return static_cast<int>(rows_.size()); }

    // Why the row may not be given this key (empty, typed twice, one the dialog writes, or holding a quote),
    // or nothing when it may. Row -1 stands for a new row.
    std::optional<std::string> keyProblem(int row, std::string_view key, std::span<const std::string> ownKeys) const;
    // The change, or the reason it is refused (the list then stays as it was).
    std::optional<std::string> add(std::string key, std::string value, std::span<const std::string> ownKeys);
    std::optional<std::string> set(int row, std::string key, std::string value, std::span<const std::string> ownKeys);
    void remove(int row);
    // Takes the row of that key out of the list: its value, or none when no row has it.
    std::optional<std::string> take(std::string_view key);
    // Appends a row of a key the properties dialog no longer has a field for (the class changed).
    void append(std::string key, std::string value) { rows_.push_back({std::move(key), std::move(value)}); }

    // The first refusal any row would get, or nothing when all may be written.
    std::optional<std::string> problem(std::span<const std::string> ownKeys) const;
    // Appends the rows, quoted.
    void appendTo(std::vector<CQKeyValue>& pairs) const;

private:
    std::vector<Row> rows_;
};

// Why a value cannot be stored in a map file, or nothing when it can.
std::optional<std::string> ValueProblem(std::string_view value);

} // namespace vorn
