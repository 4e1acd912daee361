#pragma once

#include "document/map_document.h"

#include <optional>
#include <string>

namespace vorn {

// The one undoable step a mouse drag makes, however many moves it has: begun at the drag's first
// change and committed when the button goes up. A map started afresh during the drag (New, Open)
// drops the change; the drag's next change begins another.
class DragStep {
public:
    MapChange& change(CQMap& map, std::string name)
    {
        if (!change_ || change_->dropped()) change_.emplace(map, std::move(name));
        return *change_;
    }
    // The drag's change when it has begun one that still belongs to the map.
    MapChange* live() { return change_ && !change_->dropped() ? &*change_ : nullptr; }
    // Makes the step of what the drag changed, and forgets the change.
    void commit()
    {
        if (change_) change_->commit();
        change_.reset();
    }

private:
    std::optional<MapChange> change_;
};

} // namespace vorn
