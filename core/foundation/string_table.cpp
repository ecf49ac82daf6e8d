#include "core/foundation/string_table.h"

#include <bitset>
#include <cstdlib>
#include <memory>

#include "core/foundation/random.h"
#include "core/foundation/tick_count.h"

namespace {
constexpr int kKeyCount = 32768;
}

UStringTableKey::~UStringTableKey() = default;

int UStringTableKey::GetString(const char* text) {
  const std::string_view wanted = text == nullptr ? std::string_view() : text;
  for (const Node& node : m_Nodes) {
    if (node.text == wanted) {
      return node.key;
    }
  }
  const int key = GetKey();
  if (key >= 0) {
    m_Nodes.push_back({key, std::string(wanted)});
  }
  return key;
}

void UStringTableKey::AddString(int key, const char* text) {
  m_Nodes.push_back({key, text == nullptr ? std::string() : std::string(text)});
}

const UStringTableKey::Node* UStringTableKey::GetNode(int position) const {
  if (position < 0 || position >= Size()) {
    return nullptr;
  }
  return &m_Nodes[static_cast<size_t>(position)];
}

const char* UStringTableKey::GetStringByKey(int position) const {
  const Node* node = GetNode(position);
  return node == nullptr ? nullptr : node->text.c_str();
}

int UStringTableKey::GetKey() {
  auto taken = std::make_unique<std::bitset<kKeyCount>>();
  for (const Node& node : m_Nodes) {
    if (node.key >= 0 && node.key < kKeyCount) {
      taken->set(static_cast<size_t>(node.key));
    }
  }
  if (taken->all()) {
    return -1;
  }
  std::srand(GetTickCount());  // NOLINT(cert-msc32-c, cert-msc51-cpp): keys need not be secret
  for (;;) {
    const int key = appRand15();
    if (!taken->test(static_cast<size_t>(key))) {
      return key;
    }
  }
}
