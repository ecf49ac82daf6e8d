#include "core/foundation/value_io.h"

UArchive& operator<<(UArchive& ar, const UPoint16& v) {
  return ar << v.x << v.y;
}
UArchive& operator<<(UArchive& ar, const UPoint& v) {
  return ar << v.x << v.y;
}
UArchive& operator<<(UArchive& ar, const URect& v) {
  return ar << v.left << v.top << v.right << v.bottom;
}
UArchive& operator<<(UArchive& ar, const UVector2& v) {
  return ar << v.x << v.y;
}
UArchive& operator<<(UArchive& ar, const UVector& v) {
  return ar << v.x << v.y << v.z;
}

UArchive& operator>>(UArchive& ar, UPoint16& v) {
  return ar >> v.x >> v.y;
}
UArchive& operator>>(UArchive& ar, UPoint& v) {
  return ar >> v.x >> v.y;
}
UArchive& operator>>(UArchive& ar, URect& v) {
  return ar >> v.left >> v.top >> v.right >> v.bottom;
}
UArchive& operator>>(UArchive& ar, UVector2& v) {
  return ar >> v.x >> v.y;
}
UArchive& operator>>(UArchive& ar, UVector& v) {
  return ar >> v.x >> v.y >> v.z;
}
