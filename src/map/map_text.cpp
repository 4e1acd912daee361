#include "map/map_text.h"

#include "map/entity.h"
#include "platform/prefault.h"

namespace vorn {
namespace {

// Brushes (and entity openings and closings) in a piece: a few hundred kilobytes of text.
constexpr size_t kPartsPerPiece = 2048;
// Room for the text of a piece: a kilobyte a part is more than most brushes take.
constexpr size_t kPieceRoom = kPartsPerPiece << 10;

size_t partsOf(const CQEntity& entity)
{
    return entity.brushes().size() + 2;
}

// A little more than the text of the entities usually takes, so that it is written into one
// buffer: growing tens of megabytes step by step would copy them again and again.
size_t roomFor(const std::vector<std::unique_ptr<CQEntity>>& entities, MapFormat format)
{
    // A face line with whole-number points is about 80 bytes besides its texture name, 110 with
    // texture axes; points and axes with fractions take more, and then the text grows.
    const size_t faceLine = format == MapFormat::Valve220 ? 120 : 96;
    size_t room = 0;
    for (const auto& entity : entities) {
        room += 4;
        for (const CQKeyValue& pair : entity->pairs()) room += pair.key.size() + pair.value.size() + 2;
        for (const UnbuiltBrush& brush : entity->unbuiltBrushes()) room += brush.text.size() + 1;
        if (!entity->isModifiable()) continue;
        for (const CQBrush& brush : entity->brushes()) {
            room += 4;
            for (const CQFace& face : brush.faces()) room += faceLine + face.texture.size();
        }
    }
    return room;
}

} // namespace

MapTextPieces::MapTextPieces(const MapHeader& header, const std::vector<std::unique_ptr<CQEntity>>& entities)
    : header_(MapHeaderText(header)), format_(header.format), entities_(entities)
{
    size_t room = kPartsPerPiece; // parts the current piece has room for
    for (size_t e = 0; e < entities.size(); ++e) {
        const size_t parts = partsOf(*entities[e]);
        size_t part = 0;
        while (parts - part > room) {
            part += room;
            ends_.push_back({e, part});
            room = kPartsPerPiece;
        }
        room -= parts - part;
    }
    if (room < kPartsPerPiece) ends_.push_back({entities.size(), 0});
}

std::string_view MapTextPieces::piece(size_t index, std::string& room) const
{
    if (index == 0) return header_;
    // The whole room at once, backed before it is written: growing it step by step, each step
    // into new pages, would stop at every page.
    if (room.capacity() < kPieceRoom) {
        room.reserve(kPieceRoom);
        PrefaultForWriting(room.data(), room.capacity());
    }
    appendPiece(index, room);
    return room;
}

void MapTextPieces::appendPiece(size_t index, std::string& out) const
{
    if (index == 0) {
        out += header_;
    } else {
        appendBetween(index == 1 ? Place{} : ends_[index - 2], ends_[index - 1], out);
    }
}

void MapTextPieces::appendBetween(Place from, Place to, std::string& out) const
{
    for (size_t e = from.entity; e <= to.entity && e < entities_.size(); ++e) {
        const CQEntity& entity = *entities_[e];
        const size_t closing = partsOf(entity) - 1;
        const size_t first = e == from.entity ? from.part : 0;
        const size_t end = e == to.entity ? to.part : closing + 1;
        if (first >= end) continue;
        if (first == 0) entity.SerializeOpening(out);
        const size_t firstBrush = std::max<size_t>(first, 1) - 1;
        const size_t endBrush = std::min(end, closing) - 1;
        if (firstBrush < endBrush) entity.SerializeBrushes(out, firstBrush, endBrush, format_);
        if (end > closing) entity.SerializeClosing(out);
    }
}

std::string WriteMap(const MapHeader& header, const std::vector<std::unique_ptr<CQEntity>>& entities)
{
    const MapTextPieces pieces(header, entities);
    std::string text;
    pieces.appendPiece(0, text);
    const size_t headerSize = text.size();
    text.reserve(headerSize + roomFor(entities, header.format));
    PrefaultForWriting(text.data() + headerSize, text.capacity() - headerSize);
    for (size_t i = 1; i < pieces.pieceCount(); ++i) pieces.appendPiece(i, text);
    return text;
}

} // namespace vorn
