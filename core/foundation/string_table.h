#pragma once

#include <string>
#include <vector>

#include "core/core_api.h"

// Maps texts to small random keys (0 to 32767), unique within the table, so exported data can
// refer to texts by number. Entries keep their insertion order.
class CORE_API UStringTableKey {
 public:
  struct Node {
    int key;
    std::string text;
  };

  UStringTableKey() = default;
  UStringTableKey(const UStringTableKey&) = default;
  UStringTableKey& operator=(const UStringTableKey&) = default;
  virtual ~UStringTableKey();

  // The key of the first entry whose text equals `text` (case-sensitive); otherwise a new unique
  // key, appended with the text. Returns -1 and appends nothing when all 32768 keys are taken.
  int GetString(const char* text);
  // Appends (key, text) without checking for duplicates.
  void AddString(int key, const char* text);
  // The entry at `position` in insertion order, or null when there is none.
  const Node* GetNode(int position) const;
  // The text of the entry at `position` (a position, not a key), or null when there is none.
  const char* GetStringByKey(int position) const;
  int Size() const { return static_cast<int>(m_Nodes.size()); }
  void clean() { m_Nodes.clear(); }

 protected:
  // Seeds the C library's generator from the tick count and draws until a key is free; -1 when
  // none is.
  int GetKey();

 private:
  std::vector<Node> m_Nodes;
};
