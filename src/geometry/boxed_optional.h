#pragma once

#include <memory>
#include <utility>

namespace vorn {

// An optional value kept on the heap and copied with its owner. For a member that few of many
// objects have: an empty one costs a pointer, where std::optional would cost the whole value.
template <typename T>
class BoxedOptional {
public:
    BoxedOptional() = default;
    BoxedOptional(const T& value) : value_(std::make_unique<T>(value)) {}
    BoxedOptional(const BoxedOptional& other) : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
    BoxedOptional& operator=(const BoxedOptional& other)
    {
        if (this != &other) value_ = other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
        return *this;
    }
    BoxedOptional(BoxedOptional&&) noexcept = default;
    BoxedOptional& operator=(BoxedOptional&&) noexcept = default;

    bool has_value() const { return value_ != nullptr; }
    explicit operator bool() const { return has_value(); }
    const T& operator*() const { return *value_; }
    T& operator*() { return *value_; }
    const T* operator->() const { return value_.get(); }
    T* operator->() { return value_.get(); }
    void reset() { value_.reset(); }

private:
    std::unique_ptr<T> value_;
};

} // namespace vorn
