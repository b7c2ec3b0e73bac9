#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace corvane {

/// Lines of bytes (without their newlines), oldest first, owned together with padding so every
/// line can be handed to the JSON parser in place. Move-only: the line views point into the
/// owned bytes.
class LineBuffer {
public:
    /// Extra readable bytes kept after the last byte of text.
    static const std::size_t padding;

    LineBuffer() = default;
    /// Copies `text` and splits it at every newline byte, dropping empty pieces.
    explicit LineBuffer(std::string_view text);
    /// Takes `bytes`, of which the first `length` are text and the rest at least `padding` bytes
    /// of room, and splits the text like the constructor above.
    LineBuffer(std::vector<char> bytes, std::size_t length);

    LineBuffer(LineBuffer&&) noexcept = default;
    LineBuffer& operator=(LineBuffer&&) noexcept = default;
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    const std::vector<std::string_view>& lines() const { return lines_; }
    bool empty() const { return lines_.empty(); }
    std::size_t size() const { return lines_.size(); }
    const std::string_view& operator[](std::size_t index) const { return lines_[index]; }
    /// Drops the oldest line (a no-op when there is none).
    void dropFirst();

private:
    void split(std::size_t length);

    std::vector<char> bytes_;
    std::vector<std::string_view> lines_;
};

} // namespace corvane
