#include "editor_support/registry/register.h"

#include <cstring>
#include <vector>

#include "core/foundation/message.h"

namespace {

constexpr const char* kOpenFailed = CORE_TRANSLATE_NOOP("Quillet", "错误：无法打开有关的hKEY");
constexpr const char* kQueryFailed =
    CORE_TRANSLATE_NOOP("Quillet", "错误：无法查询有关的注册表信息");
constexpr const char* kSetFailed = CORE_TRANSLATE_NOOP("Quillet", "错误：无法设置有关的注册表信息");

void ShowError(const char* text) {
  ShowMessage({text, "", UMessageButtons::Ok, UMessageIcon::Error});
}

}  // namespace

bool URegister::OpenKey(HKEY root, const char* subKey) {
  const char* path = subKey == nullptr ? "" : subKey;
  if (!URegistryStore(root).KeyExists(path)) {
    return false;
  }
  m_Root = root;
  m_Path = path;
  m_KeyOpen = true;
  return true;
}

void URegister::CloseKey() {
  m_KeyOpen = false;
  m_Path.clear();
}

int URegister::ShowContent(HKEY root, const char* subKey, const char* valueName) {
  if (!OpenKey(root, subKey)) {
    ShowError(kOpenFailed);
    return 1;
  }
  uint32_t type = 0;
  std::vector<unsigned char> data;
  const bool found = URegistryStore(m_Root).QueryValue(m_Path.c_str(), valueName, &type, &data);
  CloseKey();
  // The capacity is the whole buffer on every query; a smaller earlier value does not shrink it.
  if (!found || data.size() > kValueBufferSize) {
    ShowError(kQueryFailed);
    return 1;
  }
  std::memcpy(m_Value, data.data(), data.size());
  m_Type = type;
  m_Size = static_cast<uint32_t>(data.size());
  return 0;
}

int URegister::WriteValue(HKEY root, const char* subKey, const char* valueName, uint32_t type,
                          const void* data, uint32_t size) {
  // The write operations report an unopened key with the query message.
  if (!OpenKey(root, subKey)) {
    ShowError(kQueryFailed);
    return 1;
  }
  const bool written = data != nullptr &&
                       URegistryStore(m_Root).SetValue(m_Path.c_str(), valueName, type, data, size);
  CloseKey();
  if (!written) {
    ShowError(kSetFailed);
    return 1;
  }
  return 0;
}

int URegister::SetValue_S(HKEY root, const char* subKey, const char* valueName,
                          const unsigned char* text) {
  const uint32_t size =
      text == nullptr ? 0
                      : static_cast<uint32_t>(std::strlen(reinterpret_cast<const char*>(text)) + 1);
  return WriteValue(root, subKey, valueName, REG_SZ, text, size);
}

int URegister::SetValue_D(HKEY root, const char* subKey, const char* valueName, const int* value) {
  return WriteValue(root, subKey, valueName, REG_DWORD, value, 4);
}

int URegister::SetValue_B(HKEY root, const char* subKey, const char* valueName,
                          const unsigned char* data) {
  return WriteValue(root, subKey, valueName, REG_BINARY, data, 4);
}

int URegister::DeleteKey(HKEY root, const char* subKey, const char* keyName) {
  if (!OpenKey(root, subKey)) {
    return 1;
  }
  bool deleted = false;
  if (keyName != nullptr && *keyName != '\0') {
    const std::string path = m_Path.empty() ? std::string(keyName) : m_Path + "\\" + keyName;
    deleted = URegistryStore(m_Root).DeleteKey(path.c_str());
  }
  CloseKey();
  return deleted ? 0 : 1;
}

int URegister::DeleteValue(HKEY root, const char* subKey, const char* valueName) {
  if (!OpenKey(root, subKey)) {
    return 1;
  }
  const bool deleted = URegistryStore(m_Root).DeleteValue(m_Path.c_str(), valueName);
  CloseKey();
  return deleted ? 0 : 1;
}
