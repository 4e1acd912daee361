#pragma once

#include "map/map_file.h"
#include "platform/piece_writing.h"

#include <memory>
#include <string>
#include <vector>

namespace vorn {

class CQEntity;

// The text of a map, cut into pieces of about the same size that can be made side by side: the
// header, then runs of whole entities, and an entity with many brushes in runs of its brushes.
class MapTextPieces final : public PieceSource {
public:
    MapTextPieces(const MapHeader& header, const std::vector<std::unique_ptr<CQEntity>>& entities);

    size_t pieceCount() const override { return ends_.size() + 1; }
    std::string_view piece(size_t index, std::string& room) const override;
    void appendPiece(size_t index, std::string& out) const;

private:
    // A place in the text: entity `entity`, at its part `part`, where part 0 is the opening with
    // the keys, parts 1 to n its n brushes, and part n + 1 its closing.
    struct Place {
        size_t entity = 0;
        size_t part = 0;
    };
    // The text from `from` up to `to`.
    void appendBetween(Place from, Place to, std::string& out) const;

    std::string header_;
    MapFormat format_;
    const std::vector<std::unique_ptr<CQEntity>>& entities_;
    std::vector<Place> ends_; // where each piece after the header ends; the next begins there
};

// The header and every entity block, the faces in the header's format.
std::string WriteMap(const MapHeader& header, const std::vector<std::unique_ptr<CQEntity>>& entities);

} // namespace vorn
