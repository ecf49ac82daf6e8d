#pragma once

#include <vector>

// The growable, contiguous, ordered sequence that Core's public signatures use. It is a vector
// with a virtual destructor, so owners may hold it through a base pointer like the engine classes.
template <typename T>
class UArray : public std::vector<T> {
 public:
  using std::vector<T>::vector;
  UArray() = default;
  UArray(const UArray&) = default;
  UArray(UArray&&) noexcept = default;
  UArray& operator=(const UArray&) = default;
  UArray& operator=(UArray&&) noexcept = default;
  virtual ~UArray() = default;

  int Num() const { return static_cast<int>(this->size()); }
  bool IsValidIndex(int index) const { return index >= 0 && index < Num(); }
};
