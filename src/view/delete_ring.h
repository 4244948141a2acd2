// The two delete buffers of a view: rings that keep the newest entries and
// drop the oldest when full.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz {

// A ring of `capacity` usable slots. One slot more is kept so that "newest
// equals oldest" can mean empty while a full ring still holds capacity entries.
template <typename T>
class DeleteRing {
public:
    explicit DeleteRing(size_t capacity) : slots_(capacity + 1) {}
    void Push(const T& v) {
        newest_ = (newest_ + 1) % slots_.size();
        if (newest_ == oldest_) oldest_ = (oldest_ + 1) % slots_.size();
        slots_[newest_] = v;
    }
    bool Pop(T* out) {
        if (newest_ == oldest_) return false;
        *out = slots_[newest_];
        newest_ = newest_ == 0 ? slots_.size() - 1 : newest_ - 1;
        return true;
    }
    bool Empty() const { return newest_ == oldest_; }
    size_t Size() const { return (newest_ + slots_.size() - oldest_) % slots_.size(); }

private:
    std::vector<T> slots_;
    size_t newest_ = 0, oldest_ = 0;
};

constexpr size_t kCharRing = 2048;
constexpr size_t kLineRing = 128;
constexpr size_t kLineEntryMax = 255;

}  // namespace qz
