#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn {

// A text made in pieces, each on its own and on any thread, that together in order are the text.
class PieceSource {
public:
    virtual ~PieceSource() = default;
    virtual size_t pieceCount() const = 0;
    // The text of piece `index`: made in `room` (which comes empty, but with the memory of earlier
    // pieces), or text the source holds. Asked again, it is the same text.
    virtual std::string_view piece(size_t index, std::string& room) const = 0;
};

// A text already whole, as one piece.
class WholeText final : public PieceSource {
public:
    explicit WholeText(std::string_view text) : text_(text) {}
    size_t pieceCount() const override { return 1; }
    std::string_view piece(size_t, std::string&) const override { return text_; }

private:
    std::string_view text_;
};

// Writes the text of `source` to the file `fd` from its start, making the next pieces on the
// machine's cores while this thread writes the finished ones: only a few pieces are held at a
// time, never the whole text. The bytes written, or -1 with errno set when a write failed.
long long WritePieces(int fd, const PieceSource& source);

} // namespace vorn
