#pragma once

#include "document/map_document.h"
#include "platform/canvas.h"

namespace vorn {

// Draws every entity but the current one with the black pen, then the current one with the blue
// pen, so that it lies on top: `draw(entity, pen)`.
template <typename Draw>
void DrawCurrentEntityLast(const CQMap& map, Draw draw)
{
    const CQEntity* current = nullptr;
    for (int i = 0; i < map.EntityCount(); ++i) {
        const CQEntity& entity = map.entity(i);
        if (entity.isCurrent() && !current) {
            current = &entity;
            continue;
        }
        draw(entity, Colours::Black);
    }
    if (current) draw(*current, Colours::Blue);
}

} // namespace vorn
